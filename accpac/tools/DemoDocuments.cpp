// The demo company's receivables: customers' documents and their scheduled
// payments, at any number of open documents.
//
// The loop writes millions of records, so it formats into fixed buffers and
// sets fields by position; nothing in it allocates per record.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include "accpac/AccpacError.h"
#include "accpac/tools/DemoData.h"

namespace accpac::sqlite {

namespace {

constexpr int SpecialCustomer = 1200;
constexpr std::int64_t SpecialDocuments = 48;  // of which every eighth is paid
constexpr std::int64_t DocumentsPerCustomer = 40;
constexpr int DaysCovered = 1096;  // document dates run over three years

std::uint64_t mix(std::uint64_t x) { return DemoRandom(x).next(); }

struct DocumentKind {
    const char* prefix;
    int typeId;     // TRXTYPEID
    int typeClass;  // TRXTYPETXT / TXTTRXTYPE
    int sign;
};

const DocumentKind& kindOf(std::uint64_t roll) {
    static const DocumentKind kinds[]{
        {"IN", 11, 1, 1}, {"IN", 12, 1, 1}, {"CN", 31, 3, -1}, {"DN", 21, 2, 1}, {"IT", 41, 4, 1}};
    const int p = int(roll % 100);
    return kinds[p < 60 ? 0 : p < 85 ? 1 : p < 92 ? 2 : p < 97 ? 3 : 4];
}

// Field positions in the two views, looked up once.
struct Columns {
    explicit Columns(const ViewDef& v, const char* orderField) {
        for (auto [slot, name] : {std::pair{&idcust, "IDCUST"},
                                  {&idinvc, "IDINVC"},
                                  {&idrmit, "IDRMIT"},
                                  {&order, orderField},
                                  {&po, "IDCUSTPO"},
                                  {&due, "DATEDUE"},
                                  {&disc, "DATEDISC"},
                                  {&invc, "DATEINVC"},
                                  {&amount, "AMTDUETC"},
                                  {&paid, "SWPAID"}})
            *slot = v.fieldIndex(QLatin1String(name));
    }
    int idcust, idinvc, idrmit, order, po, due, disc, invc, amount, paid;
};

void setText(RecordWriter& w, int column, const char* text) { w.setText(column, std::string_view(text)); }

}  // namespace

std::int64_t writeDocuments(Database& db, std::int64_t openDocuments, Receivables which,
                            const ProgressReport& progress) {
    const ViewDef& docView = *findView(QStringLiteral("AR0036"));
    const ViewDef& payView = *findView(QStringLiteral("AR0037"));
    const bool writeDocs = int(which) & int(Receivables::Documents);
    const bool writePays = int(which) & int(Receivables::Payments);
    // A writer prepares its insert, which needs the view's table in `db`.
    std::optional<RecordWriter> docWriter, payWriter;
    if (writeDocs) docWriter.emplace(db, docView);
    if (writePays) payWriter.emplace(db, payView);
    const Columns dc(docView, "IDORDERNBR"), pc(payView, "IDORDRNBR");
    const int docTypeId = docView.fieldIndex(QStringLiteral("TRXTYPEID"));
    const int docClass = docView.fieldIndex(QStringLiteral("TRXTYPETXT"));
    const int docDiscount = docView.fieldIndex(QStringLiteral("AMTDISCTC"));
    const int docPrepaid = docView.fieldIndex(QStringLiteral("IDPREPAID"));
    const int docCurrency = docView.fieldIndex(QStringLiteral("CODECURN"));
    const int payNumber = payView.fieldIndex(QStringLiteral("CNTPAYM"));
    const int payDiscount = payView.fieldIndex(QStringLiteral("AMTDSCRMTC"));
    const int payBalance = payView.fieldIndex(QStringLiteral("AMTPYMRMTC"));
    const int payClass = payView.fieldIndex(QStringLiteral("TXTTRXTYPE"));

    const std::int64_t customers = std::max<std::int64_t>(30, openDocuments / DocumentsPerCustomer);
    const std::int64_t stride = std::max<std::int64_t>(2, openDocuments / SpecialDocuments);
    const std::int64_t expected = openDocuments + openDocuments / 19 + SpecialDocuments;

    // Document i is paid by its position alone, so the numbers in use are
    // known before any is written.
    const auto isSpecial = [stride](std::int64_t i) {
        return i % stride == 3 % stride && i / stride < SpecialDocuments;
    };
    const auto isPaid = [&](std::int64_t i) { return isSpecial(i) ? (i / stride) % 8 == 7 : i % 20 == 19; };
    std::int64_t numbers = 0;
    for (std::int64_t unpaid = 0; unpaid < openDocuments; ++numbers)
        if (!isPaid(numbers)) ++unpaid;

    char cust[24], invc[24], rmit[24], order[24], po[24], prepaid[24];
    std::int64_t open = 0, written = 0, paysWritten = 0;
    const QString stage = writeDocs ? QStringLiteral("open documents") : QStringLiteral("scheduled payments");
    if (progress) progress({stage, 0, openDocuments});
    // A document number is its type's prefix and eight digits (the scale
    // stays below 10^8 numbers), so the first key of both views sorts by
    // prefix, then by number. Writing one prefix after the other in that
    // order numbers the records in key order, which searches rely on.
    for (const char* prefix : {"CN", "DN", "IN", "IT"})
        for (std::int64_t i = 0; i < numbers; ++i) {
            const std::uint64_t h = mix(std::uint64_t(i) * 2654435761ULL + 17);
            const DocumentKind& kind = kindOf(h >> 8);
            if (std::strcmp(kind.prefix, prefix) != 0) continue;
            const bool paid = isPaid(i);
            if (isSpecial(i)) {
                std::snprintf(cust, sizeof cust, "%d", SpecialCustomer);
            } else {
                std::int64_t c = 1000 + std::int64_t(h % std::uint64_t(customers));
                if (c >= SpecialCustomer) ++c;
                std::snprintf(cust, sizeof cust, "%lld", static_cast<long long>(c));
            }
            if (!paid) ++open;
            if (progress && (open % 65536 == 0 || open == openDocuments) && !paid) {
                if (writeDocs)
                    progress({stage, open, openDocuments});
                else  // the total is foreseen from the share of the documents done
                    progress({stage, paysWritten, paysWritten * openDocuments / open});
            }

            std::snprintf(invc, sizeof invc, "%s%08lld", kind.prefix, static_cast<long long>(i + 1));
            rmit[0] = order[0] = po[0] = prepaid[0] = 0;
            if ((h >> 16) % 4 == 0)
                std::snprintf(rmit, sizeof rmit, "R%07lld", static_cast<long long>((h >> 20) % 10000000));
            if (kind.typeClass == 1 && (h >> 24) % 10 < 7)
                std::snprintf(order, sizeof order, "ORD%07lld", static_cast<long long>(i + 1));
            if ((h >> 28) % 10 < 6)
                std::snprintf(po, sizeof po, "PO%06lld", static_cast<long long>((h >> 32) % 1000000));
            if ((h >> 36) % 100 < 3)
                std::snprintf(prepaid, sizeof prepaid, "PP%06lld", static_cast<long long>(i % 1000000));

            const int day = int(i * DaysCovered / expected) % DaysCovered;
            const std::int64_t dateInvc = demoDate(day);
            const int terms = 30 + 15 * int((h >> 40) % 3);
            const bool discount = kind.typeClass == 1 && (h >> 42) % 10 < 6;
            const std::int64_t amount =
                kind.sign * std::int64_t(1000 + (h >> 44) % 2500000) * 10;  // cents, at 3 decimals
            const std::int64_t discountAmount = discount ? amount / 500 * 10 : 0;

            if (writeDocs) {
                RecordWriter& docs = *docWriter;
                docs.setText(dc.idcust, cust);
                setText(docs, dc.idinvc, invc);
                setText(docs, dc.idrmit, rmit);
                setText(docs, dc.order, order);
                setText(docs, dc.po, po);
                setText(docs, docPrepaid, prepaid);
                setText(docs, docCurrency, "CAD");
                docs.setInt(dc.invc, dateInvc);
                docs.setInt(dc.due, demoDate(day + terms));
                docs.setInt(dc.disc, discount ? demoDate(day + 10) : 0);
                docs.setInt(docTypeId, kind.typeId);
                docs.setInt(docClass, kind.typeClass);
                docs.setInt(dc.amount, amount);
                docs.setInt(docDiscount, discountAmount);
                docs.setInt(dc.paid, paid);
                if (const QString problem = docs.insert(); !problem.isEmpty())
                    throw AccpacError(errnum::AccpacFailure,
                                      QStringLiteral("The demo documents cannot be written: %1.").arg(problem));
                ++written;
            }
            if (!writePays) continue;
            RecordWriter& pays = *payWriter;

            // One scheduled payment, or three instalments for some invoices.
            const int instalments = kind.typeClass == 1 && (h >> 50) % 20 == 0 ? 3 : 1;
            const bool partlyPaid = !paid && (h >> 55) % 10 == 0;
            for (int k = 1; k <= instalments; ++k) {
                const std::int64_t share = k < instalments
                                               ? amount / instalments / 10 * 10
                                               : amount - (instalments - 1) * (amount / instalments / 10 * 10);
                pays.setText(pc.idcust, cust);
                setText(pays, pc.idinvc, invc);
                setText(pays, pc.idrmit, rmit);
                setText(pays, pc.order, order);
                setText(pays, pc.po, po);
                pays.setInt(payNumber, k);
                pays.setInt(pc.invc, dateInvc);
                pays.setInt(pc.due, demoDate(day + terms + 30 * (k - 1)));
                pays.setInt(pc.disc, discount && k == 1 ? demoDate(day + 10) : 0);
                pays.setInt(pc.amount, share);
                pays.setInt(payDiscount, paid || k > 1 ? 0 : discountAmount);
                pays.setInt(payBalance, paid ? 0 : partlyPaid ? share / 20 * 10 : share);
                pays.setInt(payClass, kind.typeClass);
                pays.setInt(pc.paid, paid);
                if (const QString problem = pays.insert(); !problem.isEmpty())
                    throw AccpacError(
                        errnum::AccpacFailure,
                        QStringLiteral("The demo scheduled payments cannot be written: %1.").arg(problem));
                ++paysWritten;
            }
        }
    return written + paysWritten;
}

}  // namespace accpac::sqlite
