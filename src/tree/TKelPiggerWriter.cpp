#include "tree/KelTextCodec.h"
#include "tree/TKelPigger.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quillo {

// Writes a subtree as document text, iteratively so that depth costs no stack.
class TKelPiggerWriter {
public:
    static QByteArray Write(const TKelPigger& top)
    {
        if (top.m_tag.isEmpty())
            return {};
        TKelPiggerWriter writer;
        struct Step {
            const TKelPigger* node;
            size_t nextChild;
        };
        std::vector<Step> open;
        writer.OpenElement(top);
        if (!IsEmptyElement(top))
            open.push_back({ &top, 0 });
        while (!open.empty()) {
            Step& step = open.back();
            const TKelPigger& node = *step.node;
            const std::vector<TKelPigger*>& children = node.m_children;
            if (step.nextChild < children.size()) {
                Prefetch(children, step.nextChild + 1);
                const TKelPigger& child = *children[step.nextChild++];
                if (child.m_tag.isEmpty())
                    continue;
                writer.OpenElement(child);
                if (!IsEmptyElement(child))
                    open.push_back({ &child, 0 });
                continue;
            }
            writer.CloseElement(node);
            open.pop_back();
        }
        writer.m_out.resize(writer.m_cursor - writer.m_out.constData());
        return std::move(writer.m_out);
    }

private:
    // Long sibling lists (the records of a page) lie scattered in memory; fetching the next
    // sibling's node and attributes early hides most of the cache misses.
    static void Prefetch(const std::vector<TKelPigger*>& children, size_t next)
    {
        if (next + 1 < children.size())
            __builtin_prefetch(children[next + 1]);
        if (next < children.size()) {
            const TKelPigger* sibling = children[next];
            __builtin_prefetch(sibling->m_attrs.data());
            const char* text = reinterpret_cast<const char*>(sibling->m_attrText.constData());
            for (ptrdiff_t line = 0; line < 4; ++line)
                __builtin_prefetch(text + 64 * line);
        }
    }

    TKelPiggerWriter()
        : m_out(4096, Qt::Uninitialized)
        , m_cursor(m_out.data())
        , m_end(m_cursor + m_out.size())
    {
    }

    static bool IsEmptyElement(const TKelPigger& node) { return node.m_children.empty() && node.m_text.isEmpty(); }

    // Room for at least `extra` more bytes; the caller writes through the pointer and commits.
    char* Reserve(qsizetype extra)
    {
        if (m_end - m_cursor < extra) {
            // Growing by half keeps the slack small; reserve first so that Qt adds none of its own.
            const qsizetype used = m_cursor - m_out.constData();
            const qsizetype size = std::max(m_out.size() + m_out.size() / 2, used + extra);
            m_out.reserve(size);
            m_out.resize(size);
            m_cursor = m_out.data() + used;
            m_end = m_out.data() + m_out.size();
        }
        return m_cursor;
    }
    void Commit(char* end) { m_cursor = end; }

    static char* Copy(char* out, const char* bytes, qsizetype size)
    {
        std::memcpy(out, bytes, size_t(size));
        return out + size;
    }

    static char* Indent(char* out, int level)
    {
        *out++ = '\r';
        *out++ = '\n';
        std::memset(out, '\t', size_t(level));
        return out + level;
    }

    void OpenElement(const TKelPigger& node)
    {
        const QByteArray& tag = node.m_tag;
        const QString& attrText = node.m_attrText;
        // Each attribute adds a space, =, two quotes and at most MaxEncodedSize for name and value.
        const qsizetype attrBound = KelTextCodec::MaxEncodedSize(attrText.size()) + 24 * qsizetype(node.m_attrs.size());
        char* out = Reserve(2 + node.m_level + 1 + tag.size() + attrBound + 2);
        out = Indent(out, node.m_level);
        *out++ = '<';
        out = Copy(out, tag.constData(), tag.size());
        const QChar* text = attrText.constData();
        const QChar* textEnd = text + attrText.size();
        for (const TKelPigger::AttrEntry& entry : node.m_attrs) {
            // Name and value lie in one buffer; the encoders may read on up to its end.
            const QChar* name = text + entry.offset;
            const QChar* value = name + entry.nameLength;
            *out++ = ' ';
            out = KelTextCodec::WriteName(QStringView(name, entry.nameLength), textEnd - name, out);
            *out++ = '=';
            *out++ = '"';
            out = KelTextCodec::WriteEncodedValue(QStringView(value, entry.valueLength), textEnd - value, out);
            *out++ = '"';
        }
        if (IsEmptyElement(node)) {
            *out++ = '/';
            *out++ = '>';
            Commit(out);
            return;
        }
        *out++ = '>';
        Commit(out);
        out = Reserve(KelTextCodec::MaxEscapedSize(node.m_text.size()));
        Commit(KelTextCodec::WriteEscapedBytes(node.m_text.constData(), node.m_text.size(), out));
    }

    void CloseElement(const TKelPigger& node)
    {
        const QByteArray& tag = node.m_tag;
        char* out = Reserve(2 + node.m_level + 3 + tag.size());
        out = Indent(out, node.m_level);
        *out++ = '<';
        *out++ = '/';
        out = Copy(out, tag.constData(), tag.size());
        *out++ = '>';
        Commit(out);
    }

    QByteArray m_out;
    char* m_cursor;
    char* m_end;
};

QByteArray TKelPigger::SaveToText() const { return TKelPiggerWriter::Write(*this); }

} // namespace quillo
