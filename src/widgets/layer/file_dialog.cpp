#include "widgets/layer/file_dialog.h"

#include "widgets/layer/form_control.h"
#include "widgets/layer/platform.h"

namespace qo {

bool FileDialog::execute() {
    fileName.clear();
    if (!owner) owner = OwnerControl();
    return CurrentPlatform().fileDialog(*this) && !fileName.empty();
}

} // namespace qo
