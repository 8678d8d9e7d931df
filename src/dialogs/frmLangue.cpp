#include "dialogs/frmLangue.h"

#include "app/language_file.h"
#include "game_window/frmMain.h"
#include "game_window/twips.h"
#include "lang/catalogue.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "platform/program_folder.h"

#include <QColor>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {
struct Drapeau {
    const char *image;
    const char *bulle; // tool-tip, UTF-8
};

// In button order; button i sets language i + 1.
constexpr std::array<Drapeau, 5> drapeaux{{
    {":/images/flag_uk.png", "English"},
    {":/images/flag_fr.png", "Français"},
    {":/images/flag_de.png", "Deutsch"},
    {":/images/flag_it.png", "Italiano"},
    {":/images/flag_es.png", "Spanish"},
}};

constexpr QRgb bleu = qRgb(0x00, 0x00, 0xFF);
} // namespace

frmLangue::frmLangue(frmMain &main)
    : DesignDialog(&main, "frmLangue", QSize(9300, 1860))
    , m_main(main) {

    Label1 = new QLabel(QStringLiteral("VEXORO settigns - Please choice your language :"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(360, 120, 8295, 375));
    QFont titre = platform::Police(12);
    titre.setBold(true);
    Label1->setFont(titre);
    colorer(Label1, QPalette::WindowText, bleu);

    // Creation order is the tab order.
    for (int i = 0; i < int(cmdLangue.size()); ++i) {
        auto *button = new QPushButton(this);
        button->setObjectName(QStringLiteral("cmdLangue_%1").arg(i));
        button->setGeometry(twipsRect(360 + 1680 * i, 600, 1575, 855));
        button->setIcon(QIcon(QLatin1String(drapeaux[i].image)));
        button->setIconSize(QSize(32, 32));
        button->setToolTip(QString::fromUtf8(drapeaux[i].bulle));
        button->setAccessibleName(button->toolTip());
        connect(button, &QPushButton::clicked, this, [this, i] { cmdLangue_Click(i); });
        cmdLangue[i] = button;
    }
    cmdLangue[0]->setFocus();
}

void frmLangue::cmdLangue_Click(int index) {
    modLangue::NumLangue = float(index + 1);
    // The choice holds for this run even when it cannot be kept for the next one.
    if (!modGrille::EcrireLangue(platform::CheminReglages(QStringLiteral("start.ini")),
                                 modLangue::NumLangue))
        platform::MsgBox(QStringLiteral("Could not save the Language for the next start"),
                         platform::vbExclamation, QStringLiteral("Language Not Saved"));
    m_main.ChangeLangue();
    accept();
}
