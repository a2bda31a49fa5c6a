// Undo and redo of the work. Every change the commands make is a step holding the work before
// and after it: undo shows the one, redo the other. A change made inside another is part of
// it; a gesture (one drag) is one step, and notches of the wheel or presses of an arrow key in
// quick succession join into one.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "ui/Work.h"

namespace lindor::ui {

class AppState;

// What a step is: one of its own, or a part of a run of steps of one kind that join.
enum class StepKind { Single = -1, Zoom = 1, Pan = 2 };

// Steps of one kind that follow each other at most this long apart join.
constexpr qint64 kJoinMilliseconds = 500;
// How many steps can be undone.
constexpr int kUndoDepth = 500;

class WorkSteps : public QObject {
    Q_OBJECT
public:
    // `show` makes the work given the app's work and brings the graph and the windows in
    // line with it (undo and redo).
    WorkSteps(AppState& app, std::function<void(const Work&)> show, QObject* parent = nullptr);
    ~WorkSteps() override;

    // Runs `change` as one step called `name`: when the work differs afterwards, the step
    // goes on the undo stack. A step of a kind other than Single joins the last step when
    // `continues` says so.
    void record(const QString& name, const std::function<void()>& change,
                StepKind kind = StepKind::Single);
    // True when a step of `kind` made now would join the last one: the last step is of that
    // kind, nothing was undone or saved since, and it came at most kJoinMilliseconds ago.
    bool continues(StepKind kind) const;

    // A gesture: the work may change with every move in between; the whole is one step.
    void beginGesture(const QString& name);
    void endGesture();
    bool inGesture() const { return m_gestureStart.has_value(); }

    void undo();
    void redo();
    // New and Open: the work as it is starts a fresh stack as the saved state.
    void clear();
    // Save: the work as it is is the saved state.
    void setSaved();

    // The clock in milliseconds that tells when steps were made (tests set their own).
    void setClock(std::function<qint64()> now) { m_now = std::move(now); }

    // The step's name for a menu caption: without its letter mark and trailing dots.
    static QString stepName(QString caption);

private:
    friend class WorkStep;
    void push(const QString& name, const Work& before, StepKind kind, bool joins);
    void show(const Work& work);

    AppState& m_app;
    std::function<void(const Work&)> m_show;
    std::function<qint64()> m_now;
    int m_depth = 0;
    bool m_restoring = false;
    std::optional<Work> m_gestureStart;
    QString m_gestureName;
};

} // namespace lindor::ui
