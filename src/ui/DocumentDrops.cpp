#include "ui/DocumentDrops.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace lindor::ui {

DropContent dropContent(const QMimeData& data) {
    if (data.hasUrls()) {
        for (const QUrl& url : data.urls()) {
            const QFileInfo file(url.toLocalFile());
            if (url.isLocalFile() &&
                file.suffix().compare(QLatin1String("ldr"), Qt::CaseInsensitive) == 0)
                return {DropContent::Kind::Document, file.absoluteFilePath()};
        }
        return {};
    }
    // Line breaks of a dropped text become blanks: a function is one line.
    const QString text = data.hasText() ? data.text().simplified() : QString();
    if (text.isEmpty())
        return {};
    return {DropContent::Kind::Text, text};
}

DocumentDrops::DocumentDrops(QWidget& window, std::function<void(const QString&)> open,
                             std::function<void(const QString&)> plot)
    : QObject(&window), m_open(std::move(open)), m_plot(std::move(plot)) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

bool DocumentDrops::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (drag->mimeData() && dropContent(*drag->mimeData()).kind != DropContent::Kind::None)
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const DropContent content =
            drop->mimeData() ? dropContent(*drop->mimeData()) : DropContent{};
        if (content.kind == DropContent::Kind::None) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        if (content.kind == DropContent::Kind::Document)
            m_open(content.value);
        else
            m_plot(content.value);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace lindor::ui
