// The demo generator's random numbers and its record helper.
#include <QDate>

#include "accpac/AccpacError.h"
#include "accpac/tools/DemoData.h"

namespace accpac::sqlite {

std::uint64_t DemoRandom::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int DemoRecord::column(const char* field) const {
    const int i = writer_.view().fieldIndex(QLatin1String(field));
    if (i < 0)
        throw AccpacError(errnum::AccpacFailure, QStringLiteral("The demo company has no field %1 in view %2.")
                                                     .arg(QLatin1String(field), writer_.view().id));
    return i;
}

DemoRecord& DemoRecord::text(const char* field, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    writer_.setText(column(field), std::string_view(utf8.constData(), std::size_t(utf8.size())));
    return *this;
}

DemoRecord& DemoRecord::number(const char* field, std::int64_t value) {
    writer_.setInt(column(field), value);
    return *this;
}

void DemoRecord::insert() {
    const QString problem = writer_.insert();
    if (!problem.isEmpty())
        throw AccpacError(
            errnum::AccpacFailure,
            QStringLiteral("The demo company cannot be written (%1): %2.").arg(writer_.view().id, problem));
}

std::int64_t demoDate(int days) {
    const QDate d = QDate(2023, 1, 1).addDays(days);
    return std::int64_t(d.year()) * 10000 + d.month() * 100 + d.day();
}

}  // namespace accpac::sqlite
