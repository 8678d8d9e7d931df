#include "dialogs/frmLangue.h"

#include "platform/fonts.h"
#include "platform/twips.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {
struct Flag {
    const char *picture;
    const char *toolTip; // UTF-8
};

// In button order; button i sets language i + 1.
constexpr std::array<Flag, 5> flags{{
    {":/images/flag_uk.png", "English"},
    {":/images/flag_fr.png", "Français"},
    {":/images/flag_de.png", "Deutsch"},
    {":/images/flag_it.png", "Italiano"},
    {":/images/flag_es.png", "Spanish"},
}};

constexpr QRgb blue = qRgb(0x00, 0x00, 0xFF);
constexpr qreal titlePoints = 12;
} // namespace

frmLangue::frmLangue(QWidget *parent)
    : DesignDialog(parent, "frmLangue", QSize(9300, 1860)) {
    setAccessibleName(QStringLiteral("Change Language")); // its command's caption in every language

    Label1 = new QLabel(QStringLiteral("VEXORO settigns - Please choice your language :"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(360, 120, 8295, 375));
    QFont title = platform::fontOfSize(titlePoints);
    title.setBold(true);
    Label1->setFont(title);
    setFixedTextColour(Label1, blue);

    // Creation order is the tab order.
    for (int i = 0; i < int(cmdLangue.size()); ++i) {
        auto *button = new QPushButton(this);
        button->setObjectName(QStringLiteral("cmdLangue_%1").arg(i));
        button->setGeometry(twipsRect(360 + 1680 * i, 600, 1575, 855));
        button->setIcon(QIcon(QLatin1String(flags[i].picture)));
        button->setIconSize(QSize(32, 32));
        button->setToolTip(QString::fromUtf8(flags[i].toolTip));
        button->setAccessibleName(button->toolTip());
        connect(button, &QPushButton::clicked, this, [this, i] { cmdLangue_Click(i); });
        cmdLangue[i] = button;
    }
    cmdLangue[0]->setFocus();
}

void frmLangue::cmdLangue_Click(int index) {
    m_language = float(index + 1);
    accept();
}
