#include "ui/RangeWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "expr/FuncEval.h"
#include "files/FileError.h"
#include "files/SettingsFile.h"
#include "graph/analysis/RangePresets.h"
#include "lang/Language.h"
#include "ui/DialogParts.h"
#include "ui/Questions.h"
#include "ui/RangeGridDelegate.h"

namespace lindor::ui {

namespace {

constexpr int kRows = 6;
constexpr int kColumnWidth = 74;
constexpr int kRowHeight = 19;
constexpr int kButtonSize = 25;

bool isMoveKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

} // namespace

TRangeWindow::TRangeWindow(const lang::Language& language, files::SettingsFile& settings,
                           const expr::EngineContext& engine, Questions& questions, QWidget* parent)
    : QWidget(parent), m_language(language), m_settings(settings), m_engine(engine),
      m_questions(questions), m_guard(questions, language) {
    setObjectName(QStringLiteral("RangeWindow"));
    setWindowTitle(QStringLiteral("Range"));

    m_grid = new QTableWidget(kRows, 2, this);
    m_grid->setObjectName(QStringLiteral("strgrdRange"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    m_grid->horizontalHeader()->setMinimumSectionSize(1);
    // 19 pixels, or more when the font needs it.
    const int rowHeight = std::max(kRowHeight, m_grid->fontMetrics().height() + 4);
    m_grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_grid->verticalHeader()->setMinimumSectionSize(1);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The value column takes the width the window gives, so long numbers show whole.
    m_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    m_grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setTabKeyNavigation(true);
    // The editor follows the current cell, so a value cell is always open for typing.
    m_grid->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked |
                            QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed);
    m_delegate = new RangeGridDelegate(m_grid);
    m_grid->setItemDelegate(m_delegate);
    static const char* const labels[kRows] = {"Xmin", "Xmax", "Xstep", "Ymin", "Ymax", "Ystep"};
    const graph::RangeTexts standard = graph::standardRangeTexts();
    for (int row = 0; row < kRows; ++row) {
        // Not enabled: the cursor never lands on a label, whether by mouse or by key.
        auto* label = new QTableWidgetItem(QString::fromLatin1(labels[row]));
        label->setFlags(Qt::NoItemFlags);
        m_grid->setItem(row, 0, label);
        m_grid->setItem(row, 1, new QTableWidgetItem(qtText(standard[row])));
    }
    const int frame = 2 * m_grid->frameWidth();
    m_grid->setFixedHeight(kRows * rowHeight + frame);
    m_grid->setMinimumWidth(2 * kColumnWidth + frame);
    m_grid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // A value cell's tooltip is its whole text.
    connect(m_grid, &QTableWidget::itemChanged, this, [](QTableWidgetItem* item) {
        if (item->column() == 1)
            item->setToolTip(item->text());
    });
    for (int row = 0; row < kRows; ++row)
        m_grid->item(row, 1)->setToolTip(m_grid->item(row, 1)->text());
    m_grid->setCurrentCell(0, 1);
    m_grid->installEventFilter(this);
    connect(m_delegate, &RangeGridDelegate::keyPressed, this,
            [this](int key) { m_guard.run([&] { strgrdRangeKeyDown(key); }); });

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(0);
    m_standard = addButton("spdbtnRangeStandard", "range-standard.svg");
    m_trigonometry = addButton("spdbtnRangeTrigonometry", "range-trigonometry.svg");
    m_open = addButton("spdbtnRangeOpen", "range-open.svg");
    m_save = addButton("spdbtnRangeSpara", "range-save.svg");
    m_redraw = addButton("spdbtnRedraw", "range-redraw.svg");
    for (QToolButton* b : {m_standard, m_trigonometry, m_open, m_save, m_redraw})
        buttons->addWidget(b);
    buttons->addStretch(1);
    const std::pair<QToolButton*, void (TRangeWindow::*)()> clicks[] = {
        {m_standard, &TRangeWindow::spdbtnRangeStandardClick},
        {m_trigonometry, &TRangeWindow::spdbtnRangeTrigonometryClick},
        {m_open, &TRangeWindow::spdbtnRangeOpenClick},
        {m_save, &TRangeWindow::spdbtnRangeSparaClick},
        {m_redraw, &TRangeWindow::spdbtnRedrawClick},
    };
    for (const auto& [button, handler] : clicks)
        connect(button, &QToolButton::clicked, this,
                [this, handler = handler] { m_guard.run([&] { (this->*handler)(); }); });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_grid, 1, Qt::AlignTop);
    layout->addLayout(buttons);
}

QToolButton* TRangeWindow::addButton(const char* name, const char* icon) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    // The pictures come from the program's resources; without them the button is plain.
    const QString path = QStringLiteral(":/icons/") + QString::fromLatin1(icon);
    if (QFile::exists(path))
        button->setIcon(QIcon(path));
    button->setIconSize(QSize(16, 16));
    button->setFixedSize(kButtonSize, kButtonSize);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

graph::RangeTexts TRangeWindow::texts() const {
    graph::RangeTexts result;
    for (int row = 0; row < kRows; ++row)
        result[row] = m_grid->item(row, 1)->text().toStdString();
    return result;
}

void TRangeWindow::setTexts(const graph::RangeTexts& texts) {
    for (int row = 0; row < kRows; ++row)
        m_grid->item(row, 1)->setText(qtText(texts[row]));
}

void TRangeWindow::setRedrawEnabled(bool enabled) {
    m_redraw->setEnabled(enabled);
}

bool TRangeWindow::isRedrawEnabled() const {
    return m_redraw->isEnabled();
}

void TRangeWindow::spdbtnRangeStandardClick() {
    setTexts(graph::standardRangeTexts());
    setRedrawEnabled(true);
}

void TRangeWindow::spdbtnRangeTrigonometryClick() {
    setTexts(graph::analysis::trigonometryRangeTexts(m_engine.angleMode, m_engine.locale));
    setRedrawEnabled(true);
}

void TRangeWindow::spdbtnRangeOpenClick() {
    // Before anything was saved, the standard range is the one worth offering.
    setTexts(m_settings.savedRange().value_or(graph::standardRangeTexts()));
    setRedrawEnabled(true);
}

void TRangeWindow::spdbtnRangeSparaClick() {
    if (!m_settings.saveRange(texts()))
        m_questions.error(qtText(files::settingsNotWritten(m_settings.path(), m_language)));
}

void TRangeWindow::spdbtnRedrawClick() {
    bool applied = false;
    m_guard.run([&] { applied = m_apply && m_apply(); });
    if (applied)
        setRedrawEnabled(false);
}

void TRangeWindow::strgrdRangeKeyDown(int key) {
    if (isMoveKey(key)) {
        const int row = m_grid->currentRow();
        if (row < kRows - 1)
            m_grid->setCurrentCell(row + 1, 1);
        else
            spdbtnRedrawClick();
    }
    setRedrawEnabled(true);
}

bool TRangeWindow::eventFilter(QObject* object, QEvent* event) {
    // Keys that reach the grid itself: no editor is open, or the editor passed them on.
    if (object == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        m_guard.run([&] { strgrdRangeKeyDown(key); });
        if (isMoveKey(key))
            return true;
    }
    return QWidget::eventFilter(object, event);
}

void TRangeWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TRangeWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        setTexts();
}

void TRangeWindow::FormShow() {
    if (!m_shownOnce) {
        m_shownOnce = true;
        spdbtnRangeStandardClick();
    }
    setTexts();
    if (!m_grid->currentItem() || m_grid->currentColumn() != 1)
        m_grid->setCurrentCell(0, 1);
    // The current value cell is always open for typing.
    if (!m_grid->indexWidget(m_grid->currentIndex()))
        m_grid->editItem(m_grid->currentItem());
}

void TRangeWindow::setTexts() {
    setWindowTitle(qtText(m_language.text("Range")));
    const std::string labels[kRows] = {m_language.text("Xmin"),  m_language.text("Xmax"),
                                       m_language.text("Xstep"), m_language.text("Ymin"),
                                       m_language.text("Ymax"),  m_language.text("Ystep")};
    for (int row = 0; row < kRows; ++row)
        m_grid->item(row, 0)->setText(qtText(labels[row]));
    m_grid->setToolTip(qtText(m_language.text("EnterRangeValuesForTheGraphWindowHere")));
    m_standard->setToolTip(qtText(m_language.text("StandardRange")));
    m_trigonometry->setToolTip(qtText(m_language.text("TrigonometryRange")));
    m_open->setToolTip(qtText(m_language.text("OpenPreviouslySavedRangeValues")));
    m_save->setToolTip(qtText(m_language.text("SaveRangeValues")));
    m_redraw->setToolTip(qtText(m_language.text("RedrawGraphWindowWithNewRangeValues")));
}

} // namespace lindor::ui
