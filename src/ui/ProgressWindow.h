// The progress window: a small tool window with a needle dial that the GIF writer's
// progress hook drives while a picture is saved. It is shown by the first report of at
// most 0.9999 and hidden by a larger one; while a save runs it cannot be closed.
#pragma once

#include <QWidget>
#include <memory>

#include "gif/GifDecl.h"

namespace lindor::ui {

class TGauge;

class TProgressForm : public QWidget {
    Q_OBJECT

public:
    // A tool window of `mainWindow`, created hidden.
    explicit TProgressForm(QWidget* mainWindow = nullptr);
    ~TProgressForm() override;

    TGauge& gauge() { return *m_gauge; }

    // The hook for the writer: shows and sets the dial, hides it at the end, and lets
    // pending events other than user input run whenever the window has been shown or
    // hidden and at least once per frame time (15 ms) while reports come in, so the window
    // is painted while the save goes on. Valid as long as this window exists.
    gif::ProgressHook hook();

    // While saving, the window refuses to close.
    void setSaving(bool saving) { m_saving = saving; }
    bool isSaving() const { return m_saving; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class Display;

    TGauge* m_gauge;
    std::unique_ptr<Display> m_display;
    bool m_saving = false;
};

} // namespace lindor::ui
