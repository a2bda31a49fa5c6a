#include "ui/SelectFunctionDialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <algorithm>

#include "lang/Language.h"
#include "ui/Questions.h"

namespace lindor::ui {

namespace {

constexpr int kItemHeight = 16;
constexpr int kTextIndent = 2;

// Each function in its own colour on the list's background; a selected one is drawn bold
// rather than highlighted, so its colour stays visible.
class FunctionItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        painter->fillRect(option.rect, option.palette.base());
        QFont font = option.font;
        font.setBold(option.state.testFlag(QStyle::State_Selected));
        painter->setFont(font);
        const QVariant color = index.data(Qt::ForegroundRole);
        painter->setPen(color.isValid() ? color.value<QColor>()
                                        : option.palette.color(QPalette::Text));
        painter->drawText(option.rect.adjusted(kTextIndent, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        if (option.state.testFlag(QStyle::State_HasFocus)) {
            painter->setPen(QPen(option.palette.color(QPalette::Text), 1, Qt::DotLine));
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QFont bold = option.font;
        bold.setBold(true);
        const int width =
            QFontMetrics(bold).horizontalAdvance(index.data(Qt::DisplayRole).toString()) +
            2 * kTextIndent;
        return {width, kItemHeight};
    }
};

} // namespace

TSelectGraphWindow::TSelectGraphWindow(const lang::Language& language, Questions& questions,
                                       QWidget* parent)
    : QDialog(parent), m_language(language), m_questions(questions) {
    setObjectName(QStringLiteral("SelectGraphWindow"));
    setWindowTitle(QStringLiteral("Select Function"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstboxGraph"));
    m_list->setItemDelegate(new FunctionItemDelegate(m_list));
    m_list->setUniformItemSizes(true);
    m_list->setMinimumSize(220, 12 * kItemHeight + 2 * m_list->frameWidth());
    // The names keep the normal weight, so that the bold selection stands out.
    QFont listFont = m_list->font();
    listFont.setBold(false);
    m_list->setFont(listFont);
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            &TSelectGraphWindow::lstboxGraphDoubleClick);

    m_buttons = makeOkCancel(*this);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(m_buttons.column);
    makeFixedBoldDialog(*this);
    setMultiSelection(false);
}

void TSelectGraphWindow::setItems(const std::vector<Item>& items) {
    m_list->clear();
    for (const Item& item : items) {
        auto* entry = new QListWidgetItem(item.text, m_list);
        entry->setForeground(item.color);
    }
    m_list->clearSelection();
}

void TSelectGraphWindow::setMultiSelection(bool multi) {
    m_list->clearSelection();
    m_list->setSelectionMode(multi ? QAbstractItemView::MultiSelection
                                   : QAbstractItemView::SingleSelection);
}

bool TSelectGraphWindow::isMultiSelection() const {
    return m_list->selectionMode() == QAbstractItemView::MultiSelection;
}

std::vector<int> TSelectGraphWindow::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : m_list->selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TSelectGraphWindow::accept() {
    if (selectedRows().empty()) {
        m_questions.error(qtText(m_language.text("YouMustSelectAFunction")));
        return;
    }
    QDialog::accept();
}

void TSelectGraphWindow::lstboxGraphDoubleClick(QListWidgetItem* item) {
    if (item && !item->isSelected())
        item->setSelected(true);
    accept();
}

void TSelectGraphWindow::showEvent(QShowEvent* event) {
    // Only the buttons: the caption is the caller's.
    translateOkCancel(m_buttons, m_language);
    QDialog::showEvent(event);
}

} // namespace lindor::ui
