#include "RandomQuestions.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace lindor::monkey {

namespace {

QString oneLine(QString text) {
    text.replace(QLatin1Char('\n'), QStringLiteral(" / "));
    if (text.size() > 200)
        text = text.left(200) + QStringLiteral("...");
    return quote(text);
}

const char* const kSaveNames[] = {
    "doc.ldr",
    "Doc.LDR",
    "work",
    "work.txt",
    "pic.png",
    "pic.PNG",
    "bild.gif",
    "a.svg",
    "a.pdf",
    "a.bmp",
    "print.pdf",
    "space name.ldr",
    "missing/folder/a.ldr",
    "folder",
    ".ldr",
    "a.ldr.png",
    "doc.ldr ",
    "-",
    "../outside.ldr",
    "empty.ldr",
    "garbage.ldr",
    "truncated.ldr",
};

const QPageSize::PageSizeId kPageSizes[] = {QPageSize::A4,  QPageSize::Letter, QPageSize::A5,
                                            QPageSize::A3,  QPageSize::Legal,  QPageSize::A0,
                                            QPageSize::A10, QPageSize::B5,     QPageSize::Tabloid};

std::optional<QPageSize::PageSizeId> pageSizeNamed(const QString& key) {
    for (QPageSize::PageSizeId id : kPageSizes)
        if (QPageSize::key(id) == key)
            return id;
    return std::nullopt;
}

} // namespace

RandomQuestions::RandomQuestions(Rng& rng, const TextMix& texts, QString folder)
    : m_rng(rng), m_texts(texts), m_folder(std::move(folder)) {}

void RandomQuestions::begin(Step& step, bool replaying) {
    m_step = &step;
    m_replaying = replaying;
    m_next = 0;
    m_unexpectedErrors.clear();
}

void RandomQuestions::end() {
    if (m_step && m_replaying && m_next < m_step->answers.size())
        m_step->comments << QStringLiteral("replay: %1 recorded answers not asked for")
                                .arg(m_step->answers.size() - m_next);
    m_step = nullptr;
}

std::optional<Line> RandomQuestions::answer(const QString& kind,
                                            const std::function<Line()>& make) {
    if (!m_step)
        return std::nullopt;
    if (!m_replaying) {
        Line line = make();
        m_step->answers.push_back(line);
        return line;
    }
    if (std::optional<Line> line = takeAny({kind}))
        return line;
    m_step->comments << QStringLiteral("replay: no %1 answer recorded here; default").arg(kind);
    return std::nullopt;
}

std::optional<Line> RandomQuestions::takeAny(const QStringList& kinds) {
    if (!m_step || m_next >= m_step->answers.size() ||
        !kinds.contains(m_step->answers[m_next].kind()))
        return std::nullopt;
    return m_step->answers[m_next++];
}

void RandomQuestions::comment(const QString& what, const QString& text) {
    if (m_step && !m_replaying)
        m_step->comments << what + QStringLiteral(": ") + oneLine(text);
}

void RandomQuestions::information(const QString& text) {
    comment(QStringLiteral("information"), text);
}

void RandomQuestions::error(const QString& text) {
    comment(QStringLiteral("error"), text);
    if (!m_unexpected.isEmpty() && text.startsWith(m_unexpected))
        m_unexpectedErrors << text;
}

bool RandomQuestions::askYesNo(const QString& text) {
    comment(QStringLiteral("asked"), text);
    const auto a = answer(QStringLiteral("yesno"), [&] {
        return Line().word(QStringLiteral("yesno")).word(m_rng.chance(0.5) ? "yes" : "no");
    });
    return a && a->at(1) == QLatin1String("yes");
}

ui::Questions::Answer RandomQuestions::askSaveChanges(const QString& text, const QString&,
                                                      const QString&) {
    comment(QStringLiteral("asked"), text);
    static const char* const answers[] = {"save", "discard", "cancel"};
    const auto a = answer(QStringLiteral("savechanges"), [&] {
        return Line().word(QStringLiteral("savechanges")).word(m_rng.pick(answers));
    });
    const QString word = a ? a->at(1) : QString();
    if (word == QLatin1String("save"))
        return Answer::Save;
    if (word == QLatin1String("discard"))
        return Answer::Discard;
    return Answer::Cancel;
}

std::optional<QString> RandomQuestions::inputText(const QString& caption, const QString& prompt,
                                                  const QString&) {
    comment(QStringLiteral("input"), caption + QStringLiteral(" / ") + prompt);
    const auto a = answer(QStringLiteral("input"), [&] {
        Line line;
        line.word(QStringLiteral("input"));
        if (m_rng.chance(0.15))
            return line.word(QStringLiteral("cancel"));
        return line.text(m_rng.chance(0.8) ? m_texts.number(m_rng) : m_texts.any(m_rng));
    });
    if (!a || !a->isQuoted(1))
        return std::nullopt;
    return a->at(1);
}

std::optional<QFont> RandomQuestions::chooseFont(const QFont&, const QString&) {
    static const int sizes[] = {1, 2, 6, 8, 10, 12, 14, 24, 48, 72, 200, 400};
    const auto a = answer(QStringLiteral("font"), [&] {
        Line line;
        line.word(QStringLiteral("font"));
        const QStringList families = QFontDatabase::families();
        if (m_rng.chance(0.2) || families.isEmpty())
            return line.word(QStringLiteral("cancel"));
        line.text(families[m_rng.below(static_cast<int>(families.size()))]);
        line.number(m_rng.pick(sizes));
        if (m_rng.chance(0.3))
            line.word(QStringLiteral("bold"));
        if (m_rng.chance(0.3))
            line.word(QStringLiteral("italic"));
        return line;
    });
    if (!a || !a->isQuoted(1))
        return std::nullopt;
    QFont font(a->at(1));
    font.setPointSize(std::max(1, a->numberAt(2, 10)));
    for (int i = 3; i < a->size(); ++i) {
        if (a->at(i) == QLatin1String("bold"))
            font.setBold(true);
        if (a->at(i) == QLatin1String("italic"))
            font.setItalic(true);
    }
    return font;
}

QString RandomQuestions::inFolder(const QString& name) const {
    return m_folder + QLatin1Char('/') + name;
}

QString RandomQuestions::fileName(bool saving) {
    if (m_rng.chance(0.15))
        return QString();
    if (saving && m_rng.chance(0.6))
        return QString::fromLatin1(m_rng.pick(kSaveNames));
    if (saving && m_rng.chance(0.05))
        return QString(300, QLatin1Char('n')) + QStringLiteral(".ldr");
    if (saving && m_rng.chance(0.1))
        return QStringLiteral("\u00fc \u00f1 \u03c0.ldr");
    QStringList present = QDir(m_folder).entryList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    present << QStringLiteral("gone.ldr");
    return present[m_rng.below(static_cast<int>(present.size()))];
}

QString RandomQuestions::openFileName(const QString& caption, const QString&, const QString&) {
    comment(QStringLiteral("open"), caption);
    const auto a = answer(QStringLiteral("open"), [&] {
        const QString name = fileName(false);
        Line line;
        line.word(QStringLiteral("open"));
        return name.isEmpty() ? line.word(QStringLiteral("cancel")) : line.text(name);
    });
    return a && a->isQuoted(1) ? inFolder(a->at(1)) : QString();
}

QString RandomQuestions::saveFileName(const QString& caption, const QString&, const QString&) {
    comment(QStringLiteral("save"), caption);
    const auto a = answer(QStringLiteral("savefile"), [&] {
        const QString name = fileName(true);
        Line line;
        line.word(QStringLiteral("savefile"));
        return name.isEmpty() ? line.word(QStringLiteral("cancel")) : line.text(name);
    });
    return a && a->isQuoted(1) ? inFolder(a->at(1)) : QString();
}

bool RandomQuestions::setUpPage(QPrinter& printer, const QString&) {
    const auto a = answer(QStringLiteral("page"), [&] {
        Line line;
        line.word(QStringLiteral("page"));
        if (m_rng.chance(0.2))
            return line.word(QStringLiteral("cancel"));
        const QPageSize::PageSizeId id = m_rng.pick(kPageSizes);
        line.word(QPageSize::key(id)).word(m_rng.chance(0.5) ? "portrait" : "landscape");
        // Margins as the dialog allows them: within the paper.
        const QSizeF paper = QPageSize(id).size(QPageSize::Millimeter);
        const int most = static_cast<int>(std::min(paper.width(), paper.height()) / 2) - 1;
        for (int i = 0; i < 4; ++i)
            line.number(m_rng.chance(0.7) ? m_rng.between(0, 30) : m_rng.between(0, most));
        return line;
    });
    if (!a || a->at(1) == QLatin1String("cancel"))
        return false;
    const std::optional<QPageSize::PageSizeId> id = pageSizeNamed(a->at(1));
    if (!id)
        return false;
    const QPageLayout layout(
        QPageSize(*id),
        a->at(2) == QLatin1String("landscape") ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(a->numberAt(3), a->numberAt(4), a->numberAt(5), a->numberAt(6)),
        QPageLayout::Millimeter);
    printer.setPageLayout(layout);
    return true;
}

} // namespace lindor::monkey
