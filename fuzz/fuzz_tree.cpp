// Reads any bytes as document text; every tree that reads must write and read back equal,
// apart from the normalisations of the format: line ends become CR LF, blanks around a text
// are dropped, and a node with an empty tag is not written (nor its subtree).

#include "tree/EKelPiggerError.h"
#include "tree/TKelPigger.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

using namespace quillo;

namespace {

template <typename String> String CrLfLineEnds(const String& text)
{
    String out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out.append(String("\r\n"));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out.append(text[i]);
        }
    }
    return out;
}

// The text as it reads back: the writer leaves TAB, CR, LF and space unescaped, so the reader
// trims them.
QByteArray ExpectedText(const QByteArray& text)
{
    const QByteArray crLf = CrLfLineEnds(text);
    qsizetype begin = 0;
    qsizetype end = crLf.size();
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (begin < end && blank(crLf[begin]))
        ++begin;
    while (end > begin && blank(crLf[end - 1]))
        --end;
    return crLf.mid(begin, end - begin);
}

bool SameNode(const TKelPigger& original, const TKelPigger& reread)
{
    if (original.Tag() != reread.Tag() || ExpectedText(original.Text()) != reread.Text()
        || original.AttrCount() != reread.AttrCount())
        return false;
    for (int i = 0; i < original.AttrCount(); ++i) {
        if (original.AttrNameView(i) != reread.AttrNameView(i)
            || CrLfLineEnds(original.AttrValue(i)) != reread.AttrValueView(i))
            return false;
    }
    return true;
}

// Compares the original tree, as the format carries it, with the one read back; no recursion.
bool EqualTrees(const TKelPigger& original, const TKelPigger& reread)
{
    if (original.Tag().isEmpty())
        return reread.Tag().isEmpty() && reread.AttrCount() == 0 && reread.ChildCount() == 0 && reread.Text().isEmpty();
    std::vector<std::pair<const TKelPigger*, const TKelPigger*>> pending { { &original, &reread } };
    while (!pending.empty()) {
        const auto [a, b] = pending.back();
        pending.pop_back();
        if (!SameNode(*a, *b))
            return false;
        int next = 0;
        for (int i = 0; i < a->ChildCount(); ++i) {
            if (a->Child(i)->Tag().isEmpty())
                continue;
            if (next >= b->ChildCount())
                return false;
            pending.push_back({ a->Child(i), b->Child(next++) });
        }
        if (next != b->ChildCount())
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TKelPigger first;
    try {
        first.LoadFromText(TKelPigger::NormalizeText(QByteArrayView(data, qsizetype(size))));
    } catch (const EKelPiggerError&) {
        return 0;
    }
    const QByteArray written = first.SaveToText();
    TKelPigger second;
    try {
        second.LoadFromText(TKelPigger::NormalizeText(written));
    } catch (const EKelPiggerError& error) {
        std::fprintf(stderr, "the written tree does not read back: %s at byte %d\n%s\n", error.what(),
            error.Position, written.constData());
        std::abort();
    }
    if (!EqualTrees(first, second)) {
        std::fprintf(stderr, "the tree changed in a write and read:\n%s\n", written.constData());
        std::abort();
    }
    return 0;
}
