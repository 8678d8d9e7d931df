#include "platform/pictures.h"

#include <QIcon>
#include <QWidget>

namespace platform {

QPixmap loadPicture(const QString &path, const QWidget &widget) {
    qreal ratio = 1.0;
    const QString file = qt_findAtNxFile(path, widget.devicePixelRatioF(), &ratio);
    QPixmap picture(file);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

} // namespace platform
