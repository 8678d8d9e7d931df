// No text is clipped in any window, in any of the five languages: every label, button,
// check box and list item fits the rectangle the layout gives it. Run at scale 1 and 2.
#include "dialogs/frmInfo.h"
#include "dialogs/frmLangue.h"
#include "dialogs/frmNew.h"
#include "game_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {
QString plain(QString text) {
    return text.remove(QLatin1Char('&'));
}

// Why `widget` clips its text, or an empty string when it does not.
QString clipping(QWidget *widget) {
    const QFontMetrics fm(widget->font());
    const QSize room = widget->size();
    auto report = [&](const QString &text, QSize need) {
        if (need.width() <= room.width() && need.height() <= room.height())
            return QString();
        return QStringLiteral("%1 \"%2\" needs %3x%4 in %5x%6")
            .arg(widget->objectName(), text)
            .arg(need.width())
            .arg(need.height())
            .arg(room.width())
            .arg(room.height());
    };
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        if (label->text().isEmpty())
            return {};
        const int frame = 2 * label->frameWidth() + 2 * label->margin();
        if (label->wordWrap())
            return report(label->text(), {0, label->heightForWidth(room.width())});
        return report(label->text(),
                      {fm.horizontalAdvance(plain(label->text())) + frame, fm.height() + frame});
    }
    if (auto *check = qobject_cast<QCheckBox *>(widget))
        return report(check->text(), {check->sizeHint().width(), fm.height()});
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        if (button->text().isEmpty())
            return {};
        return report(button->text(),
                      {fm.horizontalAdvance(plain(button->text())) + 8, fm.height()});
    }
    if (auto *list = qobject_cast<QComboBox *>(widget)) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        return report(list->currentText(), {list->sizeHint().width(), fm.height()});
    }
    return {};
}

QStringList clippedIn(QWidget &window) {
    QStringList clipped;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (const QString why = clipping(widget); !why.isEmpty())
            clipped << why;
    }
    return clipped;
}
} // namespace

class TestTextFits : public GameTest {
    Q_OBJECT
private slots:
    void everyWindowInEveryLanguage_data() {
        QTest::addColumn<int>("langue");
        const char *names[] = {"English", "French", "German", "Italian", "Spanish"};
        for (int langue = 1; langue <= 5; ++langue)
            QTest::newRow(names[langue - 1]) << langue;
    }
    void everyWindowInEveryLanguage() {
        QFETCH(int, langue);
        modLangue::NumLangue = float(langue);
        m_game->window->ChangeLangue();
        QStringList clipped;
        // Every level's line under the board.
        for (int level = 0; level < 6; ++level) {
            m_game->startGame(level, true);
            clipped << clippedIn(*m_game->window);
        }
        platform::setModalHandler([&](QDialog &dialog) {
            clipped << clippedIn(dialog);
            if (auto *dlg = qobject_cast<frmNew *>(&dialog)) {
                for (int level = 0; level < 6; ++level) {
                    dlg->cmbChoix->setCurrentIndex(level);
                    clipped << clipping(dlg->cmbChoix);
                }
                clipped.removeAll(QString());
            }
            dialog.reject();
        });
        for (const char *command : {"mnuNew", "Language", "mnuInfo"})
            QVERIFY(triggerAction(*m_game->window, command));
        clipped.removeDuplicates();
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestTextFits)
#include "tst_text_fits.moc"
