// The Finder's state and set-up: creating the engine and its window, binding
// it to a view (with the companion views some views need), declaring the
// columns, and running one lookup in the modal window.
#include "engine/Finder.h"

#include <QPixmapCache>

#include "accpac/AccpacError.h"
#include "engine/FinderInternal.h"
#include "errors/Settings.h"
#include "errors/modGeneral.h"
#include "window/frmTrovex.h"

namespace engine {

namespace {

// Button looks as the push-button control takes them.
constexpr int ModernLook = 3;
constexpr std::uint32_t ButtonTextColour = 0x80000012;
constexpr std::uint32_t ButtonFaceColour = 0x8000000F;

// Column numbers are 16-bit everywhere else (OrderKeyCol, the grid's Cols),
// so a larger one cannot be a column of the grid.
constexpr std::int32_t MaxColNum = 32767;

}  // namespace

using detail::bound;
using detail::engineTrap;

Finder::Finder() {
    errors::Trap trap = engineTrap("Class_Initialize");
    trap([&] { myFinderForm = std::make_unique<window::frmTrovex>(); });
    trap([&] { myFinderForm->finderInstance = this; });
}

Finder::~Finder() {
    // The window goes first: while it lives it may still call back into the engine.
    myFinderForm.reset();
}

window::frmTrovex& Finder::form() {
    if (!myFinderForm) myFinderForm = std::make_unique<window::frmTrovex>();
    return *myFinderForm;
}

void Finder::SetFinderView(std::shared_ptr<accpac::AccpacSession> sess, std::shared_ptr<accpac::AccpacView> view,
                           const accpac::Variant& maxValue, std::int16_t viewOrder) {
    engineTrap("SetFinderView").endOnError([&] {
        FinderSession = std::move(sess);
        FinderCols.assign(1, FinderCol{});
        PresetField.clear();
        PresetValue = accpac::Variant();

        const QString id = bound(view).ViewID();
        auto open = [&](std::shared_ptr<accpac::AccpacView>& slot, const char* viewId) {
            slot = bound(FinderSession).OpenView(QLatin1String(viewId), QLatin1String(viewId, 2));
        };
        // These views show records that only make sense with their header and
        // detail views composed around them, so the engine opens its own set
        // and browses the composed one; the caller's view lends only its ID.
        if (id == QLatin1String("AR0042")) {
            open(ViewAR0041, "AR0041");
            open(ViewAR0042, "AR0042");
            open(ViewAR0044, "AR0044");
            open(ViewAR0045, "AR0045");
            open(ViewAR0043, "AR0043");
            open(ViewAR0061, "AR0061");
            ViewAR0041->Compose({ViewAR0042});
            ViewAR0042->Compose({ViewAR0041, ViewAR0043, ViewAR0044});
            ViewAR0044->Compose({ViewAR0042, ViewAR0045});
            ViewAR0045->Compose({ViewAR0044});
            ViewAR0043->Compose({ViewAR0042});
            ViewAR0061->Compose({ViewAR0041, ViewAR0042, ViewAR0043, ViewAR0044, ViewAR0045});
            FinderView = ViewAR0042;
        } else if (id == QLatin1String("IC0750")) {
            open(ViewIC0310, "IC0310");
            open(ViewIC0750, "IC0750");
            open(ViewIC0330, "IC0330");
            ViewIC0310->Compose({ViewIC0750, ViewIC0330, nullptr, nullptr, nullptr, nullptr, nullptr});
            ViewIC0750->Compose({ViewIC0310});
            ViewIC0330->Compose({ViewIC0310, nullptr, nullptr});
            FinderView = ViewIC0750;
        } else if (id == QLatin1String("TX0001") || id == QLatin1String("TX0002")) {
            open(ViewTX0002, "TX0002");
            open(ViewTX0001, "TX0001");
            ViewTX0002->Compose({ViewTX0001});
            ViewTX0001->Compose({ViewTX0002});
            FinderView = id == QLatin1String("TX0001") ? ViewTX0001 : ViewTX0002;
        } else {
            FinderView = view;
        }

        FinderFields = &FinderView->Fields();
        FinderView->setOrder(viewOrder);
        ViewOrder = viewOrder;
        MaxKeyValue = maxValue.toText();
    });
}

void Finder::SetFieldValue(const QString& Name, const accpac::Variant& value) {
    errors::Trap trap = engineTrap("SetFieldValue");
    trap([&] { PresetField = Name; });
    trap([&] { PresetValue = value; });
}

void Finder::AddFinderCol(const QString& fieldname, std::int32_t ColNum, std::int32_t ColWidth,
                          std::int16_t Alignment) {
    errors::Trap trap = engineTrap("AddFinderCol");
    // Each statement reports its own failure, so a bad column number shows
    // once for growing the table and once for each part of the entry.
    trap([&] {
        if (ColNum > MaxColNum)
            throw accpac::AccpacError(accpac::errnum::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
        if (ColNum >= 0 && std::size_t(ColNum) >= FinderCols.size()) FinderCols.resize(std::size_t(ColNum) + 1);
    });
    trap([&] { columnAt(ColNum).fieldname = fieldname; });
    trap([&] { columnAt(ColNum).ColWidth = ColWidth; });
    trap([&] { columnAt(ColNum).Alignment = Alignment; });
}

void Finder::ShowFinder() {
    // Every step goes on after a failure, so the window is always disposed
    // of and the call always returns to the preset.
    errors::Trap trap = engineTrap("ShowFinder");
    trap([&] { form().setWindowTitle(FinderCaption); });
    trap([&] {
        const QString stored = errors::GetSetting(errors::gRegistry, QStringLiteral("ConnectInfo"),
                                                  QStringLiteral("FinderMax"), QStringLiteral("False"));
        if (accpac::Variant::string(stored).toBool()) form().setWindowState(form().windowState() | Qt::WindowMaximized);
    });
    for (window::PushButton* button : {&form().pbxFind, &form().pbxSelect, &form().pbxCancel}) {
        if (errors::gWinXP) {
            trap([&] { button->setLook(ModernLook); });
            trap([&] { button->setTextColour(ButtonTextColour); });
        } else {
            trap([&] { button->setFaceColour(ButtonFaceColour); });
        }
    }
    trap([&] { form().showModal(); });
    trap([&] { bound(FinderSession).Errors().Clear(); });
    trap([&] {
        if (myFinderForm) myFinderForm->unload();
    });
    myFinderForm.reset();
    // The window's coloured buttons get a new palette in every lookup, and
    // the style caches their pictures under it: pictures no later lookup
    // can use, which would otherwise pile up to the cache's limit in a host
    // that runs lookups all day.
    QPixmapCache::clear();
}

}  // namespace engine
