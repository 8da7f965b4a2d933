#include "errors/modGeneral.h"

#include "accpac/AccpacError.h"
#include "accpac/Blanks.h"
#include "errors/MessageBox.h"

namespace errors {

std::shared_ptr<accpac::AccpacSession> gSession;
QString gRegistry;
std::int16_t gWinXP = accpac::IntegerFalse;

namespace {

// Each paragraph break of the messages is "\r\n" then "\n": an empty line.
const QString Para = QStringLiteral("\r\n\n");

int showError(const QString& text) { return showMessage({ErrorTitle, text, MessageIcon::Exclamation, 0}); }

QString numberText(long number) { return QString::number(number); }

// Every report ends by naming where it happened and whom to tell. The
// component's own reports say "this error"; a report about a failing
// report says "the error".
enum class Tail { ThisError, TheError };

QString report(const QString& head, const QString& label, Tail tail) {
    return head + Para + QStringLiteral("In Procedure: ") + label + QStringLiteral(".") + Para +
           (tail == Tail::ThisError ? QStringLiteral("Please contact Quorvex if this error occurs frequently.")
                                    : QStringLiteral("Please contact Quorvex if the error occurs frequently."));
}

// The report of a report that failed, in the trap's own words.
void showReportFailure(const QString& head) {
    try {
        showError(report(head, QStringLiteral("clsTrovex.modGeneral.ErrorMessenger"), Tail::TheError));
    } catch (...) {
    }
}

}  // namespace

void ErrorMessenger(long number, const QString& description, const QString& information, const QString& label) {
    try {
        if (number == 0) return;
        using accpac::trimBlanks;
        const QString info = trimBlanks(information);
        QString head = trimBlanks(numberText(number)) + QStringLiteral("; ") + trimBlanks(description);
        if (!info.isEmpty()) head += Para + QStringLiteral("Information: ") + info;
        showError(report(head, trimBlanks(label), Tail::ThisError));
    } catch (const accpac::AccpacError& e) {
        // The report itself failed: say so once.
        showReportFailure(numberText(e.number()) + QStringLiteral(": ") + e.description());
    } catch (const std::exception& e) {
        showReportFailure(numberText(accpac::errnum::AccpacFailure) + QStringLiteral(": ") +
                          QString::fromUtf8(e.what()));
    }
}

void ErrorACCPAC(long number, const QString& description, const QString& label) {
    try {
        if (!gSession) throw accpac::objectVariableNotSet();
        accpac::AccpacErrors& errs = gSession->Errors();
        const int count = errs.Count();
        if (count > 0) {
            // The first three and the last two say the most; the middle is skipped.
            int i = 0;
            for (const accpac::AccpacErrorItem& item : errs) {
                if (i < 3 || i >= count - 2) {
                    showError(report(item.property(QStringLiteral("Priority")).toText() + QStringLiteral(": ") +
                                         item.property(QStringLiteral("Description")).toText(),
                                     label, Tail::ThisError));
                }
                ++i;
            }
            errs.Clear();
        } else {
            ErrorMessenger(number, description, QString(), label);
        }
    } catch (const accpac::AccpacError& e) {
        ErrorMessenger(e.number(), e.description(), QString(), QStringLiteral("modGeneral.ErrorACCPAC"));
    } catch (const std::exception& e) {
        ErrorMessenger(accpac::errnum::AccpacFailure, QString::fromUtf8(e.what()), QString(),
                       QStringLiteral("modGeneral.ErrorACCPAC"));
    }
}

}  // namespace errors
