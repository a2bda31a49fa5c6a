// The user's part in the program's own dialogs: fields typed into, boxes ticked, list rows
// chosen, buttons pressed, then OK or Cancel.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "RandomQuestions.h"
#include "UserInput.h"

namespace lindor::monkey {

namespace {

constexpr int kMostSteps = 5;
// Dialogs opened from dialogs get fewer steps, so that a chain of them ends.
constexpr int kDeepestDialog = 3;

bool usable(const QWidget* w) {
    return w->isVisible() && w->isEnabled();
}

template <typename T> QList<T*> usableChildren(QDialog& dialog) {
    QList<T*> found;
    for (T* w : dialog.findChildren<T*>())
        if (usable(w))
            found << w;
    return found;
}

void settle() {
    QApplication::processEvents();
}

} // namespace

std::optional<Line> RandomQuestions::randomDialogStep(QDialog& dialog) {
    QList<QLineEdit*> fields;
    for (QLineEdit* e : usableChildren<QLineEdit>(dialog))
        if (!e->isReadOnly())
            fields << e;
    const QList<QAbstractButton*> buttons = usableChildren<QAbstractButton>(dialog);
    QList<QAbstractItemView*> lists;
    for (QAbstractItemView* v : usableChildren<QAbstractItemView>(dialog))
        if (v->model() && v->model()->rowCount() > 0)
            lists << v;
    QList<QComboBox*> combos;
    for (QComboBox* c : usableChildren<QComboBox>(dialog))
        if (!c->isEditable() && c->count() > 0)
            combos << c;
    for (int tries = 0; tries < 8; ++tries) {
        Line line;
        switch (m_rng.weighted({45, 25, 20, 10})) {
        case 0:
            if (fields.isEmpty())
                continue;
            return line.word(QStringLiteral("set"))
                .word(pathOf(fields[m_rng.below(int(fields.size()))], &dialog))
                .text(m_rng.chance(0.3) ? m_texts.number(m_rng) : m_texts.any(m_rng));
        case 1:
            if (buttons.isEmpty())
                continue;
            return line.word(QStringLiteral("press"))
                .word(pathOf(buttons[m_rng.below(int(buttons.size()))], &dialog));
        case 2: {
            if (lists.isEmpty())
                continue;
            QAbstractItemView* view = lists[m_rng.below(int(lists.size()))];
            line.word(QStringLiteral("select"))
                .word(pathOf(view, &dialog))
                .number(m_rng.below(view->model()->rowCount()));
            return m_rng.chance(0.3) ? line.word(QStringLiteral("ctrl")) : line;
        }
        default:
            if (combos.isEmpty())
                continue;
            QComboBox* combo = combos[m_rng.below(int(combos.size()))];
            return line.word(QStringLiteral("choose"))
                .word(pathOf(combo, &dialog))
                .number(m_rng.below(combo->count()));
        }
    }
    return std::nullopt;
}

void RandomQuestions::playDialogStep(QDialog& dialog, const Line& step) {
    QWidget* target = findPath(&dialog, step.at(1));
    if (!target || !usable(target)) {
        if (m_step)
            m_step->comments << QStringLiteral("no usable %1 in the dialog").arg(step.at(1));
        return;
    }
    const QString kind = step.kind();
    if (kind == QLatin1String("set")) {
        target->setFocus();
        pressKeys(target, QStringLiteral("Ctrl+A"));
        if (step.at(2).size() <= 200)
            typeText(target, step.at(2));
        else
            pasteText(target, step.at(2));
    } else if (kind == QLatin1String("press")) {
        click(target, Qt::LeftButton, target->rect().center());
    } else if (kind == QLatin1String("select")) {
        auto* view = qobject_cast<QAbstractItemView*>(target);
        if (!view || !view->model())
            return;
        const QModelIndex index = view->model()->index(step.numberAt(2), 0);
        if (!index.isValid())
            return;
        view->scrollTo(index);
        const QPoint at = view->visualRect(index).center();
        QTest::mouseClick(
            view->viewport(), Qt::LeftButton,
            step.at(3) == QLatin1String("ctrl") ? Qt::ControlModifier : Qt::NoModifier, at);
    } else if (kind == QLatin1String("choose")) {
        auto* combo = qobject_cast<QComboBox*>(target);
        const int index = step.numberAt(2);
        if (!combo || index < 0 || index >= combo->count())
            return;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
}

int RandomQuestions::runDialog(QDialog& dialog) {
    const QString className = QString::fromLatin1(dialog.metaObject()->className());
    const auto opened = answer(QStringLiteral("dialog"), [&] {
        return Line().word(QStringLiteral("dialog")).word(className);
    });
    if (!opened)
        return QDialog::Rejected;
    ++m_dialogDepth;
    const QPointer<QDialog> guard(&dialog);
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    settle();
    const int steps = m_dialogDepth > kDeepestDialog ? 0 : m_rng.between(0, kMostSteps);
    for (int i = 0; guard && dialog.isVisible(); ++i) {
        std::optional<Line> step;
        if (m_replaying) {
            step =
                takeAny({QStringLiteral("set"), QStringLiteral("press"), QStringLiteral("select"),
                         QStringLiteral("choose"), QStringLiteral("end")});
        } else if (i < steps) {
            step = randomDialogStep(dialog);
            if (step && m_step)
                m_step->answers.push_back(*step);
        }
        if (!step || step->kind() == QLatin1String("end")) {
            // OK or Cancel; a dialog that refuses OK is cancelled.
            bool accept = step && step->at(1) == QLatin1String("accept");
            if (!step && !m_replaying) {
                accept = m_rng.chance(0.65);
                if (m_step)
                    m_step->answers.push_back(
                        Line().word(QStringLiteral("end")).word(accept ? "accept" : "reject"));
            }
            if (accept)
                dialog.accept();
            settle();
            if (guard && dialog.isVisible())
                dialog.reject();
            break;
        }
        playDialogStep(dialog, *step);
        settle();
    }
    --m_dialogDepth;
    if (!guard)
        return QDialog::Rejected;
    if (dialog.isVisible())
        dialog.hide();
    return dialog.result();
}

} // namespace lindor::monkey
