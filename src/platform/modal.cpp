#include "platform/modal.h"

namespace platform {

int showModal(QDialog &dialog) {
    dialog.setWindowModality(Qt::ApplicationModal);
    if (!ModalSeam::replaced())
        return dialog.exec();
    dialog.show();
    ModalSeam::call(dialog);
    dialog.close();
    return dialog.result();
}

} // namespace platform
