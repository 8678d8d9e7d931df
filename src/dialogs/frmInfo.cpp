#include "dialogs/frmInfo.h"

#include "lang/accessible_words.h"
#include "lang/catalogue.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/twips.h"
#include "platform/web_link.h"

#include <QAccessibleWidget>
#include <QColor>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

using modLangue::Traduction;

namespace {
constexpr QRgb lightGrey = qRgb(0xC0, 0xC0, 0xC0);
constexpr QRgb plum = qRgb(0x40, 0x00, 0x40);
constexpr qreal shortcutsLabelPoints = 12;
constexpr qreal shortcutsPoints = 9.75;

// The link as assistive technology sees it: a link with a press action, which clicks it as
// the mouse does, for it takes no keyboard focus.
class LinkAccessible final : public QAccessibleWidget {
public:
    explicit LinkAccessible(QWidget *link)
        : QAccessibleWidget(link, QAccessible::Link) {}
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override {
        if (action != pressAction())
            return;
        const QPointF centre = QRectF(widget()->rect()).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent click(type, centre, widget()->mapToGlobal(centre), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(widget(), &click);
        }
    }
};

QAccessibleInterface *linkFactory(const QString &className, QObject *object) {
    if (className == QLatin1String("QLabel") && object->objectName() == QLatin1String("lblLien"))
        return new LinkAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

QLabel *label(const char *name, QWidget *parent, const QRect &rect) {
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(rect);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

} // namespace

frmInfo::frmInfo(QWidget *parent, platform::WebLink &link)
    : DesignDialog(parent, "frmInfo", QSize(6300, 4830))
    , m_link(link) {
    [[maybe_unused]] static const bool linkAccessible =
        (QAccessible::installFactory(linkFactory), true);
    // Named, with no title bar, after the command that opens it.
    setAccessibleName(Traduction(modLangue::MenuInfo).remove(u'&'));

    // Creation order is the tab order: the OK button is the only control that takes focus.
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(4680, 3720, 1335, 375));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(120, 0, 6135, 1455));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    setFixedBackground(Frame1, lightGrey);

    Image1 = label("Image1", Frame1, twipsRect(360, 360, 780, 795));
    Image1->setPixmap(platform::loadPicture(QStringLiteral(":/images/emblem.png"), *this));
    Image1->setAccessibleName(modLangue::AccessibleText(modLangue::Word::Emblem));
    Image2 = label("Image2", Frame1, twipsRect(2040, 240, 2190, 420));
    Image2->setPixmap(platform::loadPicture(QStringLiteral(":/images/name.png"), *this));
    Image2->setAccessibleName(QStringLiteral("VEXORO"));

    lblLien = label("lblLien", Frame1, twipsRect(1920, 1080, 2775, 255));
    lblLien->setText(QLatin1String(WebPageAddress));
    QFont underlined = platform::defaultFont();
    underlined.setUnderline(true);
    lblLien->setFont(underlined);
    lblLien->setCursor(Qt::PointingHandCursor);
    lblLien->setAccessibleName(lblLien->text());
    lblLien->installEventFilter(this);

    Label4 = label("Label4", this, twipsRect(120, 3480, 2175, 375));
    Label3 = label("Label3", this, twipsRect(2400, 3480, 1935, 855));
    Label3->setFont(platform::fontOfSize(shortcutsPoints));
    Label3->setWordWrap(true);
    setFixedTextColour(Label3, plum);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    Form_Load();
    cmdOK->setFocus();
}

void frmInfo::Form_Load() {
    Label4->setText(Traduction(modLangue::LabelShortcuts));
    platform::fitFont(*Label4, platform::fontOfSize(shortcutsLabelPoints));
    Label3->setText(Traduction(modLangue::TextShortcuts));
}

void frmInfo::lblLien_Click() {
    m_link.open(lblLien->text());
    // The box closes whatever happened.
    accept();
}

bool frmInfo::eventFilter(QObject *watched, QEvent *event) {
    // A click: the left button released over the label it was pressed on.
    if (watched == lblLien && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton &&
            lblLien->rect().contains(mouse->position().toPoint())) {
            lblLien_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
