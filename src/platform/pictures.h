#pragma once

#include <QPixmap>
#include <QString>

class QWidget;

namespace platform {

// The picture at `path` for `widget`'s screen: its "@2x" sibling on a screen of twice
// the density, so pictures stay sharp on high-DPI screens.
QPixmap loadPicture(const QString &path, const QWidget &widget);

} // namespace platform
