#pragma once

#include <QDialog>

#include <functional>

namespace platform {

// Shows `dialog` modally and returns when it has closed. A test may install a handler
// that receives the open dialog instead of a nested event loop; the handler plays the
// user's part (clicks a button, ...) and returns.
void ShowModal(QDialog &dialog);

using ModalHandler = std::function<void(QDialog &)>;
void setModalHandler(ModalHandler handler);

} // namespace platform
