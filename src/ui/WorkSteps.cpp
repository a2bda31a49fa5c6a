#include "ui/WorkSteps.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QUndoCommand>

#include "ui/AppState.h"

namespace lindor::ui {

// One step on the undo stack: the work before and after it.
class WorkStep : public QUndoCommand {
public:
    WorkStep(WorkSteps& steps, const QString& name, Work before, Work after, StepKind kind,
             bool joins, qint64 time)
        : QUndoCommand(name), m_steps(steps), m_before(std::move(before)),
          m_after(std::move(after)), m_kind(kind), m_joins(joins), m_time(time) {}

    int id() const override { return static_cast<int>(m_kind); }
    StepKind kind() const { return m_kind; }
    qint64 time() const { return m_time; }

    void undo() override { m_steps.show(m_before); }
    void redo() override {
        // Pushed after the change was made: only a redo shows it again.
        if (m_done)
            m_steps.show(m_after);
        m_done = true;
    }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const WorkStep*>(other); // the same id: a WorkStep
        if (!next->m_joins)
            return false;
        m_after = next->m_after;
        m_time = next->m_time;
        // Zoomed in and out again to where it was: no step is left.
        setObsolete(m_before == m_after);
        return true;
    }

private:
    WorkSteps& m_steps;
    Work m_before;
    Work m_after;
    StepKind m_kind;
    bool m_joins;
    qint64 m_time;
    bool m_done = false;
};

WorkSteps::WorkSteps(AppState& app, std::function<void(const Work&)> show, QObject* parent)
    : QObject(parent), m_app(app), m_show(std::move(show)) {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    m_now = [clock] { return clock->elapsed(); };
    m_app.undoStack.setUndoLimit(kUndoDepth);
}

WorkSteps::~WorkSteps() {
    // The steps call back into this object; the stack outlives it in the app's state.
    const bool saved = m_app.undoStack.isClean();
    m_app.undoStack.clear();
    if (!saved)
        m_app.undoStack.resetClean();
}

QString WorkSteps::stepName(QString caption) {
    caption.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
    caption = caption.trimmed();
    while (caption.endsWith(QLatin1Char('.')) || caption.endsWith(QChar(0x2026)))
        caption.chop(1);
    return caption.trimmed();
}

void WorkSteps::record(const QString& name, const std::function<void()>& change, StepKind kind) {
    if (m_restoring || m_depth > 0) {
        change(); // part of the step around it
        return;
    }
    endGesture();
    const bool joins = continues(kind);
    const Work before = m_app.work;
    ++m_depth;
    try {
        change();
    } catch (...) {
        // What was changed before the failure stays a step.
        --m_depth;
        push(name, before, kind, joins);
        throw;
    }
    --m_depth;
    push(name, before, kind, joins);
}

bool WorkSteps::continues(StepKind kind) const {
    const QUndoStack& stack = m_app.undoStack;
    if (kind == StepKind::Single || stack.index() == 0 || stack.index() != stack.count() ||
        stack.isClean())
        return false;
    const auto* last = dynamic_cast<const WorkStep*>(stack.command(stack.index() - 1));
    return last && last->kind() == kind && m_now() - last->time() <= kJoinMilliseconds;
}

void WorkSteps::beginGesture(const QString& name) {
    endGesture();
    m_gestureStart = m_app.work;
    m_gestureName = name;
}

void WorkSteps::endGesture() {
    if (!m_gestureStart)
        return;
    const Work before = std::move(*m_gestureStart);
    m_gestureStart.reset();
    push(m_gestureName, before, StepKind::Single, false);
}

void WorkSteps::push(const QString& name, const Work& before, StepKind kind, bool joins) {
    if (m_app.work == before)
        return;
    m_app.undoStack.push(new WorkStep(*this, name, before, m_app.work, kind, joins, m_now()));
}

void WorkSteps::show(const Work& work) {
    m_restoring = true;
    try {
        m_show(work);
    } catch (...) {
        m_restoring = false;
        throw;
    }
    m_restoring = false;
}

void WorkSteps::undo() {
    endGesture();
    m_app.undoStack.undo();
}

void WorkSteps::redo() {
    endGesture();
    m_app.undoStack.redo();
}

void WorkSteps::clear() {
    m_gestureStart.reset();
    m_app.undoStack.clear();
}

void WorkSteps::setSaved() {
    endGesture();
    m_app.undoStack.setClean();
}

} // namespace lindor::ui
