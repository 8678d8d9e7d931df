#include "platform/modal.h"

namespace platform {
namespace {
ModalHandler &handler() {
    static ModalHandler h;
    return h;
}
} // namespace

void setModalHandler(ModalHandler h) {
    handler() = std::move(h);
}

void ShowModal(QDialog &dialog) {
    dialog.setWindowModality(Qt::ApplicationModal);
    if (handler()) {
        dialog.show();
        handler()(dialog);
        dialog.close();
        return;
    }
    dialog.exec();
}

} // namespace platform
