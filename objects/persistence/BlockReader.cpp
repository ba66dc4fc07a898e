#include "BlockTokens.h"
#include "TemplateCopy.h"
#include "TreeGrowth.h"
#include "TreeReaders.h"
#include "orvenly/AutomationError.h"
#include "orvenly/Trimming.h"

namespace orvenly {

namespace {

// Where templates are defined ("BEGIN % name"); removed once the file is read.
const QString TemplateRoot = QStringLiteral("%");

[[noreturn]] void formatError(const QString& what) {
    throw AutomationError(errors::InvalidFileFormat, what);
}

class BlockReader {
public:
    BlockReader(TDBNodes& roots, TreeGrowth& growth) : m_roots(roots), m_growth(growth) {}

    void read(const QString& line) {
        BlockLine tokens(line);
        const QString word = tokens.word();
        const QString keyword = word.toUpper();
        if (word == TemplateRoot)
            defineMacro(tokens);
        else if (keyword == u"BEGIN")
            begin(tokens);
        else if (keyword == u"END")
            end();
        else if (word.startsWith(u'%'))
            include(word.mid(1));
        else
            setKey(word, tokens);
    }

private:
    void defineMacro(BlockLine& tokens) {
        const QString name = tokens.word();
        const QString text = tokens.value(&m_macros, m_growth);
        m_growth.spend(name.size() + text.size());
        if (!m_macros.define(name, text))
            formatError(QStringLiteral("the macro %1 is defined twice").arg(name));
    }

    // A block makes two levels: its class, and the named node inside it.
    void begin(BlockLine& tokens) {
        const QString className = tokens.word();
        TDBNodes& holder = m_current ? *m_current->SubNodes() : m_roots;
        const std::shared_ptr<TDBNode> classNode = m_growth.child(holder, className, m_depth + 1);
        const QString name = tokens.value(nullptr, m_growth);
        m_current = m_growth.child(*classNode->SubNodes(), name, m_depth + 2);
        m_depth += 2;
    }

    void end() {
        const std::shared_ptr<TDBNode> classNode = m_current ? m_current->Parent() : nullptr;
        m_current = classNode ? classNode->Parent() : nullptr;
        m_depth = m_current ? m_depth - 2 : 0;
    }

    void include(const QString& templateName) {
        if (!m_current)
            formatError(QStringLiteral("a template is included outside any block"));
        const std::shared_ptr<TDBNode> templates = m_growth.child(m_roots, TemplateRoot, 1);
        const std::shared_ptr<TDBNode> source =
            m_growth.child(*templates->SubNodes(), templateName, 2);
        copyTemplate(*source, *m_current, m_depth, m_growth);
    }

    void setKey(const QString& name, BlockLine& tokens) {
        if (!m_current)
            formatError(QStringLiteral("a key is set outside any block"));
        m_growth.setKey(*m_current, name, tokens.value(&m_macros, m_growth));
    }

    TDBNodes& m_roots;
    TreeGrowth& m_growth;
    MacroTable m_macros;
    std::shared_ptr<TDBNode> m_current;
    int m_depth = 0;
};

} // namespace

void readBlockLines(const QStringList& lines, TDBNodes& roots, TreeGrowth& growth) {
    BlockReader reader(roots, growth);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = TrimSpaces(lines[i]);
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        try {
            reader.read(line);
        } catch (const AutomationError& error) {
            throw AutomationError(
                error.number(), QStringLiteral("line %1: %2").arg(i + 1).arg(error.description()));
        }
    }
    if (roots.Exists(TemplateRoot))
        roots.Remove(TemplateRoot);
}

} // namespace orvenly
