#include "errors/modGeneral.h"

#include "accpac/AccpacError.h"
#include "accpac/Blanks.h"
#include "errors/MessageBox.h"

namespace errors {

std::shared_ptr<accpac::AccpacSession> gSession;
QString gRegistry;
std::int16_t gWinXP = 0;

namespace {

// Each paragraph break of the messages is "\r\n" then "\n": an empty line.
const QString Para = QStringLiteral("\r\n\n");

int showError(const QString& text) {
    return showMessage({ErrorTitle, text, MessageIcon::Exclamation, 0});
}

QString numberText(long number) { return QString::number(number); }

}  // namespace

void ErrorMessenger(long number, const QString& description, const QString& information, const QString& label) {
    try {
        if (number == 0) return;
        using accpac::trimBlanks;
        const QString info = trimBlanks(information);
        QString text = trimBlanks(numberText(number)) + QStringLiteral("; ") + trimBlanks(description) + Para;
        if (!info.isEmpty()) text += QStringLiteral("Information: ") + info + Para;
        text += QStringLiteral("In Procedure: ") + trimBlanks(label) + QStringLiteral(".") + Para +
                QStringLiteral("Please contact Quorvex if this error occurs frequently.");
        showError(text);
    } catch (const accpac::AccpacError& e) {
        // The report itself failed: say so once, in the trap's own words.
        try {
            showError(numberText(e.number()) + QStringLiteral(": ") + e.description() + Para +
                      QStringLiteral("In Procedure: clsTrovex.modGeneral.ErrorMessenger.") + Para +
                      QStringLiteral("Please contact Quorvex if the error occurs frequently."));
        } catch (...) {
        }
    } catch (const std::exception& e) {
        try {
            showError(numberText(accpac::errnum::AccpacFailure) + QStringLiteral(": ") + QString::fromUtf8(e.what()) +
                      Para + QStringLiteral("In Procedure: clsTrovex.modGeneral.ErrorMessenger.") + Para +
                      QStringLiteral("Please contact Quorvex if the error occurs frequently."));
        } catch (...) {
        }
    }
}

void ErrorACCPAC(long number, const QString& description, const QString& label) {
    try {
        if (!gSession)
            throw accpac::AccpacError(91, QStringLiteral("Object variable or With block variable not set"));
        accpac::AccpacErrors& errs = gSession->Errors();
        const int count = errs.Count();
        if (count > 0) {
            // The first three and the last two say the most; the middle is skipped.
            int i = 0;
            for (const accpac::AccpacErrorItem& item : errs) {
                if (i < 3 || i >= count - 2) {
                    showError(item.property(QStringLiteral("Priority")).toText() + QStringLiteral(": ") +
                              item.property(QStringLiteral("Description")).toText() + Para +
                              QStringLiteral("In Procedure: ") + label + QStringLiteral(".") + Para +
                              QStringLiteral("Please contact Quorvex if this error occurs frequently."));
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
