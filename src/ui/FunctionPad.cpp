#include "ui/FunctionPad.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolButton>
#include <QtGlobal>

namespace lindor::ui {
namespace {

// Printable text only: no control or format characters, no line or paragraph breaks.
bool isPrintable(const QString& text) {
    for (const char32_t c : text.toUcs4()) {
        if (!QChar::isPrint(c))
            return false;
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            return false;
    }
    return !text.isEmpty();
}

const QColor kMaroon(128, 0, 0);
const QColor kGreen(0, 128, 0);

// Rows of both grids: two rows of function keys, a narrow gap, five rows below.
constexpr int kGapRow = 2;
constexpr int kRowCount = 8;
// The left grid has 6 half-width columns, the right grid 12 quarter-width columns, so that
// three function keys fill either grid's width and four keypad keys fill the right one.
constexpr int kLeftColumns = 6;
constexpr int kRightColumns = 12;

} // namespace

TFunctionPadWindow::TFunctionPadWindow(const lang::Language& language, FunctionPadTarget& target,
                                       const NumberLocale& locale, QWidget* parent)
    : QWidget(parent), m_language(language), m_target(target), m_locale(locale) {
    setObjectName("TFunctionPadWindow");
    setWindowTitle("Function Pad");
    setFocusPolicy(Qt::ClickFocus);
    createButtons();
    arrangeTabOrder();
    updateSizes();
}

QAbstractButton* TFunctionPadWindow::divideButton() const {
    return m_divide;
}

QString TFunctionPadWindow::text(const char* key) const {
    return QString::fromStdString(m_language.text(key));
}

QToolButton* TFunctionPadWindow::addButton(QGridLayout* grid, const char* name,
                                           const QString& caption, Action action,
                                           const QString& appended, const char* hintKey, int row,
                                           int column, int columnSpan) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    button->installEventFilter(this);
    // Speed buttons never take the focus; the other keys do, like ordinary buttons.
    const bool speed = action == Action::Back || action == Action::Delete || action == Action::Exe;
    button->setFocusPolicy(speed ? Qt::NoFocus : Qt::StrongFocus);
    grid->addWidget(button, row, column, 1, columnSpan);
    const std::size_t index = m_buttons.size();
    m_buttons.push_back(PadButton{button, action, appended, hintKey});
    connect(button, &QAbstractButton::clicked, this,
            [this, index] { buttonClick(m_buttons[index]); });
    return button;
}

void TFunctionPadWindow::createButtons() {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(4);
    m_leftGrid = new QGridLayout;
    m_rightGrid = new QGridLayout;
    for (QGridLayout* grid : {m_leftGrid, m_rightGrid}) {
        grid->setSpacing(0);
        row->addLayout(grid);
    }

    QGridLayout* l = m_leftGrid;
    QGridLayout* r = m_rightGrid;
    const Action a = Action::Append;
    // Function keys, top left and top right.
    addButton(l, "Button1", "^", a, "^", nullptr, 0, 0, 2);
    addButton(l, "Button2", "Sqrt", a, "sqrt ", "sqrt", 0, 2, 2);
    addButton(l, "Button3", "Cbrt", a, "cbrt ", "cbrt", 0, 4, 2);
    addButton(l, "Button10", "Ln", a, "ln ", nullptr, 1, 0, 2);
    addButton(l, "Button11", "Log", a, "log ", nullptr, 1, 2, 2);
    addButton(l, "Button12", "10^", a, "10^", nullptr, 1, 4, 2);
    addButton(r, "Button4", "Sin", a, "sin ", nullptr, 0, 0, 4);
    addButton(r, "Button5", "Cos", a, "cos ", nullptr, 0, 4, 4);
    addButton(r, "Button6", "Tan", a, "tan ", nullptr, 0, 8, 4);
    addButton(r, "Button7", "Asin", a, "arcsin ", nullptr, 1, 0, 4);
    addButton(r, "Button8", "Acos", a, "arccos ", nullptr, 1, 4, 4);
    addButton(r, "Button9", "Atan", a, "arctan ", nullptr, 1, 8, 4);

    // Variable, constants and the other functions, the commands, the speed buttons.
    addButton(l, "Button38", "x", a, "x", nullptr, 3, 0, 2);
    addButton(l, "Button16", "pi", a, "pi", nullptr, 3, 2, 2);
    addButton(l, "Button19", "e", a, "e", nullptr, 3, 4, 2);
    addButton(l, "Button13", "Rnd", a, "random", "Random", 4, 0, 2);
    addButton(l, "Button14", "Int", a, "int ", "Int", 4, 2, 2);
    addButton(l, "Button15", "Abs", a, "abs ", nullptr, 4, 4, 2);
    addButton(l, "Button17", "d/dx", a, "d/dx ", nullptr, 5, 0, 3);
    m_derivative =
        addButton(l, "Button22", "Derivat...", Action::Derivative, {}, "Derivative", 5, 3, 3);
    m_tangent = addButton(l, "Button18", "Tang...", Action::Tangent, {}, "Tangent", 6, 0, 3);
    m_normal = addButton(l, "Button20", "Normal...", Action::Normal, {}, "Normal", 6, 3, 3);
    m_back = addButton(l, "spdbtnBack", "<--", Action::Back, {}, nullptr, 7, 0, 2);
    m_delete = addButton(l, "spdbtnDelete", "DEL", Action::Delete, {}, nullptr, 7, 2, 2);
    QToolButton* exe = addButton(l, "spdbtnEXE", "EXE", Action::Exe, {}, nullptr, 7, 4, 2);

    // Keypad: each key appends its own caption.
    const Action k = Action::Keypad;
    addButton(r, "Button39", "(", k, {}, nullptr, 3, 3, 3);
    addButton(r, "Button40", ")", k, {}, nullptr, 3, 6, 3);
    const char* const names[4][4] = {{"Button29", "Button31", "Button32", "Button34"},
                                     {"Button25", "Button28", "Button27", "Button35"},
                                     {"Button24", "Button21", "Button26", "Button36"},
                                     {"Button30", "Button23", "Button33", "btnDivide"}};
    const char* const captions[4][4] = {
        {"7", "8", "9", "+"}, {"4", "5", "6", "-"}, {"1", "2", "3", "*"}, {".", "0", "E", "/"}};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            QToolButton* key =
                addButton(r, names[i][j], captions[i][j], k, {}, nullptr, 4 + i, 3 * j, 3);
            if (i == 3 && j == 0)
                m_decimal = key;
            if (i == 3 && j == 3)
                m_divide = key;
        }
    m_decimal->setText(QString(QLatin1Char(m_locale.decimalSeparator)));

    // The speed buttons: maroon for the two that remove text, green for the plot.
    m_back->setAutoRepeat(true);
    m_back->setAutoRepeatDelay(kRepeatInterval);
    m_back->setAutoRepeatInterval(kRepeatInterval);
    for (QToolButton* speed : {m_back, m_delete, exe}) {
        QPalette palette = speed->palette();
        palette.setColor(QPalette::ButtonText, speed == exe ? kGreen : kMaroon);
        speed->setPalette(palette);
        QFont font = speed->font();
        font.setBold(true);
        speed->setFont(font);
    }
}

void TFunctionPadWindow::arrangeTabOrder() {
    const char* const order[] = {
        "Button1",  "Button2",   "Button3",  "Button4",  "Button5",  "Button6",  "Button8",
        "Button9",  "Button7",   "Button10", "Button11", "Button12", "Button13", "Button14",
        "Button15", "Button16",  "Button19", "Button22", "Button18", "Button20", "Button17",
        "Button21", "Button23",  "Button24", "Button25", "Button26", "Button27", "Button28",
        "Button29", "Button30",  "Button31", "Button32", "Button33", "Button34", "Button35",
        "Button36", "btnDivide", "Button38", "Button39", "Button40"};
    QWidget* previous = nullptr;
    for (const char* name : order) {
        auto* button = findChild<QToolButton*>(name);
        Q_ASSERT(button != nullptr);
        if (previous != nullptr && button != nullptr)
            QWidget::setTabOrder(previous, button);
        previous = button;
    }
}

void TFunctionPadWindow::FormShow() {
    m_decimal->setText(QString(QLatin1Char(m_locale.decimalSeparator)));
    setWindowTitle(text("FunctionPad"));
    m_delete->setText(text("DEL"));
    m_derivative->setText(text("Derivat..."));
    m_tangent->setText(text("Tang..."));
    m_normal->setText(text("Normal..."));
    for (const PadButton& pad : m_buttons)
        if (pad.hintKey != nullptr)
            pad.button->setToolTip(text(pad.hintKey));
    updateSizes();
}

// Key sizes follow the font and the longest caption, so that translated captions fit.
void TFunctionPadWindow::updateSizes() {
    const QFontMetrics metrics(font());
    int functionWidth = 0; // a function key; command keys are 1.5 and keypad keys 0.75 wide
    for (const PadButton& pad : m_buttons) {
        const int needed = metrics.horizontalAdvance(pad.button->text()) + 12;
        switch (pad.action) {
        case Action::Append:
            functionWidth = qMax(functionWidth, needed);
            break;
        case Action::Keypad:
            functionWidth = qMax(functionWidth, (needed * 4 + 2) / 3);
            break;
        default:
            functionWidth = qMax(functionWidth, (needed * 2 + 2) / 3);
            break;
        }
    }
    functionWidth = (functionWidth + 3) / 4 * 4;
    const int height = metrics.height() + 8;
    for (int c = 0; c < kLeftColumns; ++c)
        m_leftGrid->setColumnMinimumWidth(c, functionWidth / 2);
    for (int c = 0; c < kRightColumns; ++c)
        m_rightGrid->setColumnMinimumWidth(c, functionWidth / 4);
    for (QGridLayout* grid : {m_leftGrid, m_rightGrid})
        for (int row = 0; row < kRowCount; ++row) {
            grid->setRowMinimumHeight(row, row == kGapRow ? height / 4 : height);
            grid->setRowStretch(row, row == kGapRow ? 0 : 1);
        }
    for (int c = 0; c < kLeftColumns; ++c)
        m_leftGrid->setColumnStretch(c, 2);
    for (int c = 0; c < kRightColumns; ++c)
        m_rightGrid->setColumnStretch(c, 1);
    if (layout() != nullptr) {
        layout()->invalidate();
        layout()->activate();
    }
}

void TFunctionPadWindow::showEvent(QShowEvent* event) {
    FormShow();
    QWidget::showEvent(event);
}

void TFunctionPadWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        FormShow();
}

void TFunctionPadWindow::keyPressEvent(QKeyEvent* event) {
    handleKey(event);
    if (!event->isAccepted())
        QWidget::keyPressEvent(event);
}

bool TFunctionPadWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        handleKey(key);
        // A key that acted on the entry box goes no further. The others (Tab, arrows,
        // Escape) go on to the focused key as they came, accepted, so that a key the
        // button uses (Tab) is not handed on to the pad a second time.
        if (key->isAccepted())
            return true;
        key->accept();
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_keyboardOrigin = false;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TFunctionPadWindow::handleKey(QKeyEvent* event) {
    m_keyboardOrigin = true;
    event->ignore();
    m_target.runCommand([&] {
        switch (event->key()) {
        case Qt::Key_Backspace:
            deleteLastCharacter();
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            m_target.plotEntry(); // the text stays in the entry box
            event->accept();
            return;
        default:
            break;
        }
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return;
        const QString typed = event->text();
        if (!isPrintable(typed))
            return;
        appendText(typed);
        event->accept();
    });
}

void TFunctionPadWindow::buttonClick(const PadButton& pad) {
    if (m_keyboardOrigin)
        return; // only mouse clicks act
    m_target.runCommand([&] { runAction(pad); });
}

void TFunctionPadWindow::runAction(const PadButton& pad) {
    switch (pad.action) {
    case Action::Append:
        appendText(pad.appended);
        break;
    case Action::Keypad:
        appendText(pad.button->text());
        break;
    case Action::Derivative:
        m_target.derivativeCommand();
        break;
    case Action::Tangent:
        m_target.tangentCommand();
        break;
    case Action::Normal:
        m_target.normalCommand();
        break;
    case Action::Back:
        deleteLastCharacter();
        break;
    case Action::Delete:
        m_target.setEntryText(QString());
        break;
    case Action::Exe:
        plotAndEmpty();
        break;
    }
}

void TFunctionPadWindow::appendText(const QString& text) {
    m_target.setEntryText(m_target.entryText() + text);
}

void TFunctionPadWindow::deleteLastCharacter() {
    QString entry = m_target.entryText();
    if (entry.isEmpty())
        return;
    const qsizetype n = entry.size();
    // A character outside the basic plane is two UTF-16 units; remove both.
    const bool pair =
        n >= 2 && entry.at(n - 1).isLowSurrogate() && entry.at(n - 2).isHighSurrogate();
    entry.chop(pair ? 2 : 1);
    m_target.setEntryText(entry);
}

// The entry box is emptied only when the plot succeeded, so a text that could not be
// plotted stays there to be corrected.
void TFunctionPadWindow::plotAndEmpty() {
    if (m_target.plotEntry())
        m_target.setEntryText(QString());
}

} // namespace lindor::ui
