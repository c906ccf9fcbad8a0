#include "tree/KelTextCodec.h"
#include "tree/TKelPigger.h"

namespace quillo {

// Writes a subtree as document text, iteratively so that depth costs no stack.
class TKelPiggerWriter {
public:
    static QByteArray Write(const TKelPigger& top)
    {
        QByteArray out;
        if (top.m_tag.isEmpty())
            return out;
        out.reserve(4096);
        struct Step {
            const TKelPigger* node;
            size_t nextChild;
        };
        std::vector<Step> open;
        OpenElement(top, out);
        if (!IsEmptyElement(top))
            open.push_back({ &top, 0 });
        while (!open.empty()) {
            Step& step = open.back();
            const TKelPigger& node = *step.node;
            if (step.nextChild < node.m_children.size()) {
                const TKelPigger& child = *node.m_children[step.nextChild++];
                if (child.m_tag.isEmpty())
                    continue;
                OpenElement(child, out);
                if (!IsEmptyElement(child))
                    open.push_back({ &child, 0 });
                continue;
            }
            AppendIndent(node.m_level, out);
            out.append("</", 2);
            out.append(node.m_tag);
            out.append('>');
            open.pop_back();
        }
        return out;
    }

private:
    static bool IsEmptyElement(const TKelPigger& node) { return node.m_children.empty() && node.m_text.isEmpty(); }

    static void AppendIndent(int level, QByteArray& out)
    {
        out.append("\r\n", 2);
        out.append(level, '\t');
    }

    static void OpenElement(const TKelPigger& node, QByteArray& out)
    {
        AppendIndent(node.m_level, out);
        out.append('<');
        out.append(node.m_tag);
        for (int i = 0; i < node.AttrCount(); ++i) {
            out.append(' ');
            out.append(node.AttrNameView(i).toUtf8());
            out.append("=\"", 2);
            KelTextCodec::AppendEncodedValue(node.AttrValueView(i), out);
            out.append('"');
        }
        if (IsEmptyElement(node)) {
            out.append("/>", 2);
            return;
        }
        out.append('>');
        KelTextCodec::AppendEscapedBytes(node.m_text, out);
    }
};

QByteArray TKelPigger::SaveToText() const { return TKelPiggerWriter::Write(*this); }

} // namespace quillo
