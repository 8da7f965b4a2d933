// The C interface of libtrovex: opaque handles around Trovex and a session,
// UTF-8 at the boundary, and no C++ exception ever crossing it.
#include "lookup/trovex_c.h"

#include <QByteArray>
#include <memory>
#include <string>

#include "lookup/CompanyOpener.h"
#include "lookup/MessageRouting.h"
#include "lookup/MethodCalls.h"
#include "lookup/Trovex.h"
#include "lookup/capi/CallGuard.h"

struct trovex_instance {
    lookup::Trovex trovex;
    QByteArray returned;  // the last text handed out, kept alive for the caller
};

struct trovex_session {
    std::shared_ptr<accpac::AccpacSession> session;
};

namespace {

using lookup::capi::guarded;
using lookup::capi::text;

// Runs one lookup after checking the handles the host passed.
template <class F>
int lookupCall(trovex_instance* instance, trovex_session* pSess, F&& call) noexcept {
    return guarded([&] {
        if (!instance) throw std::invalid_argument("the instance is NULL");
        if (!pSess) throw std::invalid_argument("the session is NULL");
        call(instance->trovex, pSess->session);
        return 0;
    });
}

const char* handOut(trovex_instance* instance, const QString& value) {
    if (!instance) {
        lookup::capi::setLastError(std::string("the instance is NULL"));
        return nullptr;
    }
    lookup::capi::clearLastError();
    instance->returned = value.toUtf8();
    return instance->returned.constData();
}

int put(trovex_instance* instance, const char* value, void (lookup::Trovex::*setter)(const QString&)) {
    return guarded([&] {
        if (!instance) throw std::invalid_argument("the instance is NULL");
        (instance->trovex.*setter)(text(value));
        return 0;
    });
}

}  // namespace

extern "C" {

const char* trovex_last_error(void) { return lookup::capi::lastError(); }

const char* trovex_description(void) { return TROVEX_DESCRIPTION; }

trovex_session* trovex_open_company(const char* path) {
    const QString file = text(path);
    trovex_session* made = nullptr;
    guarded([&] {
        if (!path) throw std::invalid_argument("the path is NULL");
        made = new trovex_session{lookup::openCompanyAt(file)};
        return 0;
    });
    return made;
}

void trovex_release_session(trovex_session* session) { delete session; }

trovex_instance* trovex_create(void) {
    lookup::capi::clearLastError();
    return new (std::nothrow) trovex_instance;
}

void trovex_destroy(trovex_instance* instance) { delete instance; }

const char* trovex_get_Result1(trovex_instance* i) { return handOut(i, i ? i->trovex.Result1() : QString()); }
const char* trovex_get_Result2(trovex_instance* i) { return handOut(i, i ? i->trovex.Result2() : QString()); }
const char* trovex_get_Result3(trovex_instance* i) { return handOut(i, i ? i->trovex.Result3() : QString()); }
int trovex_put_Result1(trovex_instance* i, const char* v) { return put(i, v, &lookup::Trovex::setResult1); }
int trovex_put_Result2(trovex_instance* i, const char* v) { return put(i, v, &lookup::Trovex::setResult2); }
int trovex_put_Result3(trovex_instance* i, const char* v) { return put(i, v, &lookup::Trovex::setResult3); }

int trovex_FindAP_Employee(trovex_instance* i, trovex_session* s, const char* pRegistry, int16_t pWinXP,
                           const char* pSeed) {
    return lookupCall(i, s, [&](lookup::Trovex& t, const auto& pSess) {
        t.FindAP_Employee(pSess, text(pRegistry), pWinXP, text(pSeed));
    });
}

int trovex_FindAP_GLSegmentCode(trovex_instance* i, trovex_session* s, const char* pRegistry, int16_t pWinXP,
                                const char* pSeg) {
    return lookupCall(i, s, [&](lookup::Trovex& t, const auto& pSess) {
        t.FindAP_GLSegmentCode(pSess, text(pRegistry), pWinXP, text(pSeg));
    });
}

int trovex_FindAP_EarningDeduction(trovex_instance* i, trovex_session* s, const char* pRegistry, int16_t pWinXP,
                                   const char* pSeed) {
    return lookupCall(i, s, [&](lookup::Trovex& t, const auto& pSess) {
        t.FindAP_EarningDeduction(pSess, text(pRegistry), pWinXP, text(pSeed));
    });
}

int trovex_FindAP_BankDeposits(trovex_instance* i, trovex_session* s, const char* pRegistry, int16_t pWinXP) {
    return lookupCall(
        i, s, [&](lookup::Trovex& t, const auto& pSess) { t.FindAP_BankDeposits(pSess, text(pRegistry), pWinXP); });
}

int trovex_FindAP_OrderByInfo(trovex_instance* i, trovex_session* s, const char* pRegistry, int16_t pWinXP,
                              int16_t pIndex, const char* pCustID) {
    return lookupCall(i, s, [&](lookup::Trovex& t, const auto& pSess) {
        t.FindAP_OrderByInfo(pSess, text(pRegistry), pWinXP, pIndex, text(pCustID));
    });
}

int trovex_FindAP_TaxClass(trovex_instance* i, trovex_session* s, const char* pRegistry, int16_t pWinXP,
                           const char* pAuthority, int16_t pDocTax) {
    return lookupCall(i, s, [&](lookup::Trovex& t, const auto& pSess) {
        t.FindAP_TaxClass(pSess, text(pRegistry), pWinXP, text(pAuthority), pDocTax);
    });
}

int trovex_FindAP_TaxGroups(trovex_instance* i, trovex_session* s, const char* pRegistry, int16_t pWinXP,
                            const char* pCustID, int16_t pDocTax) {
    return lookupCall(i, s, [&](lookup::Trovex& t, const auto& pSess) {
        t.FindAP_TaxGroups(pSess, text(pRegistry), pWinXP, text(pCustID), pDocTax);
    });
}

int trovex_FindAP_Documents(trovex_instance* i, trovex_session* s, const char* pRegistry, int16_t pWinXP,
                            const char* pCustID, int16_t pIndex) {
    return lookupCall(i, s, [&](lookup::Trovex& t, const auto& pSess) {
        t.FindAP_Documents(pSess, text(pRegistry), pWinXP, text(pCustID), pIndex);
    });
}

int trovex_FindAP_DocNum(trovex_instance* i, trovex_session* s, const char* pRegistry, int16_t pWinXP,
                         const char* pCustID) {
    return lookupCall(i, s, [&](lookup::Trovex& t, const auto& pSess) {
        t.FindAP_DocNum(pSess, text(pRegistry), pWinXP, text(pCustID));
    });
}

int trovex_FindAP_Accounts(trovex_instance* i, trovex_session* s, const char* pRegistry, int16_t pWinXP) {
    return lookupCall(i, s,
                      [&](lookup::Trovex& t, const auto& pSess) { t.FindAP_Accounts(pSess, text(pRegistry), pWinXP); });
}

int trovex_FindAP_DistributionCodes(trovex_instance* i, trovex_session* s, const char* pRegistry, int16_t pWinXP) {
    return lookupCall(i, s, [&](lookup::Trovex& t, const auto& pSess) {
        t.FindAP_DistributionCodes(pSess, text(pRegistry), pWinXP);
    });
}

int trovex_call(trovex_instance* i, trovex_session* s, const char* pRegistry, int16_t pWinXP, const char* method,
                const char* const* args, int nargs) {
    return guarded([&] {
        if (!method) throw std::invalid_argument("the method name is NULL");
        if (nargs < 0 || (nargs > 0 && !args)) throw std::invalid_argument("the arguments are missing");
        QStringList words{text(method)};
        for (int k = 0; k < nargs; ++k) words << text(args[k]);
        const lookup::MethodCall call = lookup::parseCall(words);  // checked before anything is shown
        return lookupCall(
            i, s, [&](lookup::Trovex& t, const auto& pSess) { call.invoke(t, pSess, text(pRegistry), pWinXP); });
    });
}

void trovex_set_message_sink(trovex_message_sink sink, void* user) {
    if (!sink) {
        lookup::setBoxObserver({});
        lookup::setBoxesShown(true);
        return;
    }
    lookup::setBoxObserver([sink, user](const errors::MessageBoxRequest& box) {
        sink(box.title.toUtf8().constData(), box.text.toUtf8().constData(), user);
    });
    lookup::setBoxesShown(false);
}

}  // extern "C"
