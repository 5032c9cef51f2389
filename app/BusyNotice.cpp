#include "app/BusyNotice.h"

#include <thread>

#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "ui/CCustomMessageBox.h"

namespace yk {

void showBusyNotice(float mag)
{
    try {
        std::thread([mag] {
            try {
                CCustomMessageBox box(mag);
                box.setContent(box_kind::kBusy, loadCatalogText(IDS_RUN_IN_PROGRESS), loadCatalogText(IDS_OK));
                box.runModal(nullptr);
            } catch (...) {
                // Nothing to tell: the notice could not be shown.
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the command was refused all the same.
    }
}

} // namespace yk
