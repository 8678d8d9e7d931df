#pragma once

#include "platform/seam.h"

#include <QDialog>

namespace platform {

// Shows `dialog` modally and returns its result (QDialog::Accepted or Rejected) once it
// has closed.
int showModal(QDialog &dialog);

// A test receives the open dialog instead of a nested event loop, plays the user's part
// (clicks a button, ...) and returns.
using ModalSeam = Seam<struct ModalTag, void(QDialog &)>;

} // namespace platform
