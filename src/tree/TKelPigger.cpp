#include "tree/TKelPigger.h"

#include "tree/EKelPiggerError.h"
#include "tree/KelTextCodec.h"
#include "tree/KelTextFile.h"
#include "tree/TKelParseContext.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>

namespace quillo {

namespace {

using TFault = EKelPiggerError::TFault;

constexpr std::array<bool, 256> MakeSet(const char* members)
{
    std::array<bool, 256> set {};
    for (const char* m = members; *m; ++m)
        set[uchar(*m)] = true;
    return set;
}

constexpr auto TagEnd = MakeSet(" />\r\n\t");
constexpr auto NameEnd = MakeSet(" =/>\r\n\t");
constexpr auto BareValueEnd = MakeSet(" >/\n\r\t");

bool IsBlank(unsigned char byte) { return byte <= 32; }

// First index at or after from whose byte is in the set, or -1.
qsizetype FindIn(const TKelParseContext& c, qsizetype from, const std::array<bool, 256>& set)
{
    for (qsizetype i = from; i < c.Length; ++i)
        if (set[uchar(c.Data[i])])
            return i;
    return -1;
}

qsizetype FindByte(const TKelParseContext& c, qsizetype from, char byte)
{
    if (from >= c.Length)
        return -1;
    const void* hit = std::memchr(c.Data + from, byte, size_t(c.Length - from));
    return hit ? static_cast<const char*>(hit) - c.Data : -1;
}

QByteArray TrimmedUpperTag(TKelParseContext& c, qsizetype begin, qsizetype end)
{
    while (begin < end && IsBlank(uchar(c.Data[begin])))
        ++begin;
    while (end > begin && IsBlank(uchar(c.Data[end - 1])))
        --end;
    bool plain = true;
    for (qsizetype i = begin; i < end && plain; ++i)
        plain = !(c.Data[i] >= 'a' && c.Data[i] <= 'z');
    if (plain)
        return c.InternTag(c.Data + begin, end - begin);
    const QByteArray tag = KelTextCodec::AsciiUpper(QByteArray(c.Data + begin, end - begin));
    return c.InternTag(tag.constData(), tag.size());
}

// Appends an attribute name upper-cased to the scratch text; returns its length in code units.
qsizetype AppendUpperName(TKelParseContext& c, const char* bytes, qsizetype size)
{
    char16_t* out = c.AttrRoom(size);
    char16_t* end = KelTextCodec::DecodeName(bytes, size, out);
    const qsizetype length = end - out;
    if (std::none_of(out, end, [](char16_t unit) { return unit >= 0x80 || (unit >= 'a' && unit <= 'z'); })) {
        c.AttrSize += length;
        return length;
    }
    const QString upper = KelTextCodec::UpperCase(QStringView(out, length));
    out = c.AttrRoom(upper.size());
    std::copy_n(upper.utf16(), upper.size(), out);
    c.AttrSize += upper.size();
    return upper.size();
}

[[noreturn]] void ListIndexError(int index)
{
    throw EKelError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

} // namespace

TKelPigger::TKelPigger(TKelPigger* parent)
{
    if (parent)
        SetParent(parent);
}

TKelPigger::~TKelPigger()
{
    SetParent(nullptr);
    DestroyChildren();
}

TKelPigger* TKelPigger::Create(TKelPigger* parent) const { return new TKelPigger(parent); }

TKelPigger* TKelPigger::NewInArena(TKelArena& arena, TKelPigger* parent)
{
    void* memory = arena.Allocate(sizeof(TKelPigger), alignof(TKelPigger));
    auto* node = ::new (memory) TKelPigger(parent);
    node->m_arena = &arena;
    arena.Retain();
    return node;
}

void TKelPigger::operator delete(TKelPigger* node, std::destroying_delete_t)
{
    TKelArena* arena = node->m_arena;
    node->~TKelPigger();
    if (!arena) {
        ::operator delete(node);
        return;
    }
    TKelArena::Discard(node, sizeof(TKelPigger));
    arena->Release();
}

void TKelPigger::SetTag(const QByteArray& tag)
{
    qsizetype begin = 0;
    qsizetype end = tag.size();
    while (begin < end && IsBlank(uchar(tag[begin])))
        ++begin;
    while (end > begin && IsBlank(uchar(tag[end - 1])))
        --end;
    m_tag = KelTextCodec::AsciiUpper((begin == 0 && end == tag.size()) ? tag : tag.mid(begin, end - begin));
}

QString TKelPigger::Indent() const { return QStringLiteral("\r\n") + QString(m_level, QChar('\t')); }

// --- structure ---------------------------------------------------------------

void TKelPigger::AppendChild(TKelPigger* child)
{
    child->m_indexHint = int(m_children.size());
    m_children.push_back(child);
}

void TKelPigger::RemoveChild(TKelPigger* child)
{
    const int index = IndexOfChild(child);
    if (index >= 0)
        m_children.erase(m_children.begin() + index);
}

void TKelPigger::SetParent(TKelPigger* newParent)
{
    if (newParent == m_parent)
        return;
    if (m_parent)
        m_parent->RemoveChild(this);
    m_parent = newParent;
    if (newParent) {
        newParent->AppendChild(this);
        m_level = newParent->m_level + 1;
    } else {
        m_level = 0;
    }
    Relevel();
}

void TKelPigger::Relevel()
{
    // Iterative: a subtree may be deeper than the stack allows recursion.
    std::vector<TKelPigger*> pending(m_children.begin(), m_children.end());
    while (!pending.empty()) {
        TKelPigger* node = pending.back();
        pending.pop_back();
        node->m_level = node->m_parent->m_level + 1;
        pending.insert(pending.end(), node->m_children.begin(), node->m_children.end());
    }
}

void TKelPigger::DestroyChildren()
{
    // Detaches the whole subtree first, so each delete is shallow and O(1).
    std::vector<TKelPigger*> pending = std::move(m_children);
    m_children.clear();
    while (!pending.empty()) {
        // A long sibling list lies beyond the cache; fetching nodes a few steps ahead hides most
        // of the misses that destroying them costs.
        const size_t count = pending.size();
        if (count > 16)
            __builtin_prefetch(pending[count - 17]);
        TKelPigger* node = pending.back();
        pending.pop_back();
        pending.insert(pending.end(), node->m_children.begin(), node->m_children.end());
        node->m_children.clear();
        node->m_parent = nullptr;
        delete node;
    }
}

void TKelPigger::Clear()
{
    DestroyChildren();
    m_tag.clear();
    m_text.clear();
    m_attrText = QString();
    m_attrs = TAttrList();
}

void TKelPigger::Assign(const TKelPigger& source)
{
    if (&source == this)
        return;
    Clear();
    AssignFrom(source);
}

void TKelPigger::AssignFrom(const TKelPigger& source)
{
    // Walks source and copy side by side without recursion.
    struct Step {
        const TKelPigger* from;
        TKelPigger* to;
    };
    std::vector<Step> pending { { &source, this } };
    while (!pending.empty()) {
        const Step step = pending.back();
        pending.pop_back();
        step.to->SetTag(step.from->m_tag);
        step.to->m_text = step.from->m_text;
        // Text in an arena is raw data: sharing it would outlive the arena's reference.
        const QString& text = step.from->m_attrText;
        step.to->m_attrText = step.from->m_arena ? QString(text.constData(), text.size()) : text;
        step.to->m_attrs = step.from->m_attrs;
        const qsizetype first = pending.size();
        for (const TKelPigger* child : step.from->m_children)
            pending.push_back({ child, child->Create(step.to) });
        std::reverse(pending.begin() + first, pending.end());
    }
}

TKelPigger* TKelPigger::Child(int index) const
{
    return index >= 0 && index < ChildCount() ? m_children[size_t(index)] : nullptr;
}

int TKelPigger::IndexOfChild(const TKelPigger* child) const
{
    if (!child)
        return -1;
    const int hint = child->m_indexHint;
    if (hint >= 0 && hint < ChildCount() && m_children[size_t(hint)] == child)
        return hint;
    const auto found = std::find(m_children.begin(), m_children.end(), child);
    if (found == m_children.end())
        return -1;
    child->m_indexHint = int(found - m_children.begin());
    return child->m_indexHint;
}

void TKelPigger::MoveChild(int currentIndex, int newIndex)
{
    if (currentIndex == newIndex)
        return;
    if (currentIndex < 0 || currentIndex >= ChildCount())
        ListIndexError(currentIndex);
    if (newIndex < 0 || newIndex >= ChildCount())
        ListIndexError(newIndex);
    TKelPigger* child = m_children[size_t(currentIndex)];
    m_children.erase(m_children.begin() + currentIndex);
    m_children.insert(m_children.begin() + newIndex, child);
}

void TKelPigger::SortChildren(const std::function<bool(const TKelPigger*, const TKelPigger*)>& less)
{
    std::stable_sort(m_children.begin(), m_children.end(), less);
}

TKelPigger* TKelPigger::FindChild(const QByteArray& tag) const
{
    const QByteArray upper = KelTextCodec::AsciiUpper(tag);
    for (TKelPigger* child : m_children)
        if (child->m_tag == upper)
            return child;
    return nullptr;
}

TKelPigger* TKelPigger::FindNextChild(const TKelPigger* previous) const
{
    const int index = IndexOfChild(previous);
    if (index < 0)
        return nullptr;
    for (size_t i = size_t(index) + 1; i < m_children.size(); ++i) {
        if (m_children[i]->m_tag == previous->m_tag) {
            m_children[i]->m_indexHint = int(i);
            return m_children[i];
        }
    }
    return nullptr;
}

TKelPigger* TKelPigger::FindChildByAttr(const QString& name, const QString& value) const
{
    const QString upper = KelTextCodec::UpperCase(name);
    for (TKelPigger* child : m_children) {
        const int index = child->IndexOfAttr(upper);
        const QStringView actual = index >= 0 ? child->AttrValueView(index) : QStringView();
        if (actual.compare(value, Qt::CaseInsensitive) == 0)
            return child;
    }
    return nullptr;
}

// --- attributes ----------------------------------------------------------------

QStringView TKelPigger::AttrNameView(int index) const
{
    if (index < 0 || index >= AttrCount())
        ListIndexError(index);
    const AttrEntry& entry = m_attrs[size_t(index)];
    return QStringView(m_attrText).mid(entry.offset, entry.nameLength);
}

QStringView TKelPigger::AttrValueView(int index) const
{
    if (index < 0 || index >= AttrCount())
        ListIndexError(index);
    const AttrEntry& entry = m_attrs[size_t(index)];
    return QStringView(m_attrText).mid(entry.offset + entry.nameLength, entry.valueLength);
}

int TKelPigger::IndexOfAttr(QStringView upperName) const
{
    const QStringView all(m_attrText);
    for (size_t i = 0; i < m_attrs.size(); ++i) {
        const AttrEntry& entry = m_attrs[i];
        if (entry.nameLength == upperName.size() && all.mid(entry.offset, entry.nameLength) == upperName)
            return int(i);
    }
    return -1;
}

QString TKelPigger::GetAttr(const QString& name) const
{
    const int index = IndexOfAttr(KelTextCodec::UpperCase(name));
    return index >= 0 ? AttrValue(index) : QString();
}

void TKelPigger::SetAttr(const QString& name, const QString& value)
{
    if (value.isEmpty()) {
        DeleteAttr(name);
        return;
    }
    const QString upper = KelTextCodec::UpperCase(name);
    const int index = IndexOfAttr(upper);
    if (index >= 0)
        ReplaceAttrValue(index, value);
    else
        AppendAttr(upper, value);
}

void TKelPigger::DeleteAttr(const QString& name)
{
    const int index = IndexOfAttr(KelTextCodec::UpperCase(name));
    if (index >= 0)
        EraseAttr(index);
}

void TKelPigger::CheckAttrTextGrowth(qsizetype growth) const
{
    // Offsets into the packed attribute text are 32-bit.
    if (m_attrText.size() + growth > qsizetype(std::numeric_limits<uint32_t>::max()))
        throw EKelError("Attributes too large");
}

void TKelPigger::OwnAttrs()
{
    if (!m_attrs.get_allocator().Arena())
        return;
    const QString text = m_attrText;
    m_attrText = QString(text.constData(), text.size());
    TKelArena::Discard(const_cast<QChar*>(text.constData()), size_t(text.size()) * sizeof(QChar));
    m_attrs = TAttrList(m_attrs.begin(), m_attrs.end());
}

void TKelPigger::AppendAttr(QStringView upperName, QStringView value)
{
    OwnAttrs();
    CheckAttrTextGrowth(upperName.size() + value.size());
    m_attrs.push_back({ uint32_t(m_attrText.size()), uint32_t(upperName.size()), uint32_t(value.size()) });
    m_attrText.append(upperName);
    m_attrText.append(value);
}

void TKelPigger::ReplaceAttrValue(int index, QStringView value)
{
    OwnAttrs();
    AttrEntry& entry = m_attrs[size_t(index)];
    const qsizetype delta = value.size() - qsizetype(entry.valueLength);
    CheckAttrTextGrowth(delta);
    m_attrText.replace(entry.offset + entry.nameLength, entry.valueLength, value.data(), value.size());
    entry.valueLength = uint32_t(value.size());
    for (size_t i = size_t(index) + 1; i < m_attrs.size(); ++i)
        m_attrs[i].offset = uint32_t(m_attrs[i].offset + delta);
}

void TKelPigger::EraseAttr(int index)
{
    OwnAttrs();
    const AttrEntry entry = m_attrs[size_t(index)];
    const uint32_t removed = entry.nameLength + entry.valueLength;
    m_attrText.remove(entry.offset, removed);
    m_attrs.erase(m_attrs.begin() + index);
    for (size_t i = size_t(index); i < m_attrs.size(); ++i)
        m_attrs[i].offset -= removed;
}

// --- reading -------------------------------------------------------------------

TKelPigger* TKelPigger::CreateChild(const QByteArray&)
{
    if (TKelArena* arena = TKelArena::Current())
        return NewInArena(*arena, this);
    return new TKelPigger(this);
}

void TKelPigger::ChildParsed(TKelPigger*) { }

bool TKelPigger::AcceptText(const QByteArray&) { return true; }

// document := blanks [ element ]
void TKelPigger::LoadFromText(const QByteArray& text)
{
    Clear();
    if (text.isEmpty())
        return;
    const TKelArena::TScope arena;
    TKelParseContext context(text);
    context.SkipBlanks();
    Parse(context);
}

// element := start-tag ( "/>" | ">" content end-tag )
void TKelPigger::Parse(TKelParseContext& context)
{
    ++context.Depth;
    ParseStartTag(context);
    m_readPosition = int(context.Pos + 1);
    const bool empty = context.At(context.Pos) == '/' && context.At(context.Pos + 1) == '>';
    if (empty) {
        context.Pos += 2;
    } else {
        context.Pos += 1;
        if (context.At(context.Pos - 1) != '>')
            context.Fail(TFault::StartTagUnclosed, context.Pos);
        ParseContent(context);
        ParseEndTag(context);
    }
    m_readPosition = int(context.Pos + 1);
    --context.Depth;
}

// start-tag := { byte } "<" tag { name [ "=" ( '"' value '"' | bare-value ) ] }, up to "/" or ">"
void TKelPigger::ParseStartTag(TKelParseContext& context)
{
    const qsizetype open = FindByte(context, context.Pos, '<');
    if (open < 0)
        context.Fail(TFault::NoElement, context.Pos);
    const qsizetype start = context.Pos;
    context.Pos = open + 1;
    context.SkipBlanks();
    const qsizetype tagEnd = FindIn(context, context.Pos, TagEnd);
    if (tagEnd < 0)
        context.Fail(TFault::TagUnended, start);
    m_tag = TrimmedUpperTag(context, context.Pos, tagEnd);
    context.Pos = tagEnd;

    context.AttrSize = 0;
    context.Attrs.clear();
    for (;;) {
        context.SkipBlanks();
        const unsigned char next = context.At(context.Pos);
        if (next == '/' || next == '>')
            break;
        // The start tag runs to the end of the text.
        if (context.Pos >= context.Length || (context.Pos == context.Length - 1 && IsBlank(next)))
            context.Fail(TFault::StartTagUnended, context.Pos);
        const qsizetype nameEnd = FindIn(context, context.Pos, NameEnd);
        if (nameEnd < 0)
            context.Fail(TFault::AttrNameUnended, context.Pos);
        const auto offset = uint32_t(context.AttrSize);
        const auto nameLength = uint32_t(AppendUpperName(context, context.Data + context.Pos, nameEnd - context.Pos));
        context.Pos = nameEnd;
        context.SkipBlanks();
        if (context.At(context.Pos) == '=') {
            ++context.Pos;
            context.SkipBlanks();
            qsizetype valueBegin, valueEnd;
            if (context.At(context.Pos) == '"') {
                const qsizetype quote = FindByte(context, context.Pos + 1, '"');
                if (quote < 0)
                    context.Fail(TFault::QuoteUnclosed, context.Pos);
                valueBegin = context.Pos + 1;
                valueEnd = quote;
                context.Pos = quote + 1;
            } else {
                const qsizetype end = FindIn(context, context.Pos, BareValueEnd);
                if (end < 0)
                    context.Fail(TFault::BareValueUnended, context.Pos);
                valueBegin = context.Pos;
                valueEnd = end;
                context.Pos = end;
            }
            const qsizetype size = valueEnd - valueBegin;
            char16_t* out = context.AttrRoom(KelTextCodec::MaxDecodedSize(size));
            const char16_t* end
                = KelTextCodec::DecodeValue(context.Data + valueBegin, size, context.Length - valueBegin, out);
            context.AttrSize = end - context.AttrText.data();
        }
        context.Attrs.push_back({ offset, nameLength, uint32_t(context.AttrSize - offset - nameLength) });
    }
    const auto* text = reinterpret_cast<const QChar*>(context.AttrText.data());
    TAttrList attrs { TKelArenaAllocator<AttrEntry>(m_arena) };
    if (m_arena && context.AttrSize > 0) {
        void* copy = m_arena->Allocate(size_t(context.AttrSize) * sizeof(QChar), alignof(QChar));
        text = static_cast<const QChar*>(std::memcpy(copy, text, size_t(context.AttrSize) * sizeof(QChar)));
        m_attrText = QString::fromRawData(text, context.AttrSize);
    } else {
        m_attrText = QString(text, context.AttrSize);
    }
    attrs.reserve(context.Attrs.size());
    for (const auto& [offset, nameLength, valueLength] : context.Attrs)
        attrs.push_back({ offset, nameLength, valueLength });
    m_attrs = std::move(attrs);
    context.SkipBlanks();
}

// content := { text | element } until "</"; text is trimmed and unescaped
void TKelPigger::ParseContent(TKelParseContext& context)
{
    for (;;) {
        context.SkipBlanks();
        const qsizetype open = FindByte(context, context.Pos, '<');
        if (open > context.Pos) {
            qsizetype begin = context.Pos;
            qsizetype end = open;
            while (begin < end && IsBlank(uchar(context.Data[begin])))
                ++begin;
            while (end > begin && IsBlank(uchar(context.Data[end - 1])))
                --end;
            if (end > begin) {
                const QByteArray text = KelTextCodec::UnescapeBytes(context.Data + begin, end - begin);
                if (AcceptText(text))
                    m_text.append(text);
            }
            context.Pos = open;
        }
        if (open < 0)
            context.Fail(TFault::ContentUnended, context.Pos);
        if (context.At(open + 1) == '/')
            return;

        qsizetype tagBegin = open + 1;
        while (tagBegin < context.Length - 1 && IsBlank(uchar(context.Data[tagBegin])))
            ++tagBegin;
        const qsizetype tagEnd = FindIn(context, tagBegin, TagEnd);
        if (tagEnd < 0)
            context.Fail(TFault::ChildTagUnended, context.Pos);
        if (context.Depth >= MaxDepth)
            context.Fail(TFault::TooDeep, context.Pos);
        TKelPigger* child = CreateChild(TrimmedUpperTag(context, tagBegin, tagEnd));
        if (child) {
            child->Parse(context);
            ChildParsed(child);
        } else {
            TKelPigger skipped;
            skipped.Parse(context);
        }
    }
}

// end-tag := "</" tag ">", the tag equal to the start tag's but for ASCII case
void TKelPigger::ParseEndTag(TKelParseContext& context)
{
    context.SkipBlanks();
    const qsizetype start = context.Pos;
    if (context.At(context.Pos) != '<' || context.At(context.Pos + 1) != '/')
        context.Fail(TFault::EndTagMismatch, start, m_tag);
    context.Pos += 2;
    const qsizetype nameEnd = FindIn(context, context.Pos, NameEnd);
    const qsizetype nameBegin = context.Pos;
    if (nameEnd >= 0)
        context.Pos = nameEnd;
    const qsizetype nameLength = nameEnd >= 0 ? nameEnd - nameBegin : 0;
    if (qstrnicmp(context.Data + nameBegin, nameLength, m_tag.constData(), m_tag.size()) != 0)
        context.Fail(TFault::EndTagMismatch, start, m_tag);
    context.SkipBlanks();
    if (context.At(context.Pos) != '>')
        context.Fail(TFault::EndTagMismatch, start, m_tag);
    ++context.Pos;
}

// --- streams and files -----------------------------------------------------------

QByteArray TKelPigger::NormalizeText(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes = bytes.first(nul);
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 32 + 2);
    const char* data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        qsizetype j = i;
        while (j < size && data[j] != '\r' && data[j] != '\n')
            ++j;
        out.append(data + i, j - i);
        if (j == size)
            break;
        out.append("\r\n", 2);
        j += (data[j] == '\r' && j + 1 < size && data[j + 1] == '\n') ? 2 : 1;
        i = j;
    }
    if (!out.isEmpty() && !out.endsWith("\r\n"))
        out.append("\r\n", 2);
    return out;
}

void TKelPigger::LoadFromStream(QIODevice& stream)
{
    KelTextFile::Load(*this, KelTextFile::ReadStream(stream, QStringLiteral("the stream")));
}

void TKelPigger::SaveToStream(QIODevice& stream) const
{
    const QByteArray text = SaveToText();
    if (!text.isEmpty())
        stream.write(text);
}

void TKelPigger::LoadFromFile(const QString& fileName) { KelTextFile::Load(*this, KelTextFile::Read(fileName)); }

void TKelPigger::SaveToFile(const QString& fileName) const
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EKelError(QStringLiteral("Cannot create file %1").arg(fileName));
    SaveToStream(file);
}

// --- escapes -------------------------------------------------------------------

QString EscapeValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar ch : value) {
        const char16_t code = ch.unicode();
        if (code < 63 && KelTextCodec::NeedsEscape(uchar(code)))
            out.append(QStringLiteral("%%1").arg(code, 2, 16, QChar('0')).toUpper());
        else
            out.append(ch);
    }
    return out;
}

QString UnescapeValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const auto digit = [&](qsizetype at) {
            const char16_t code = value[at].unicode();
            return code < 128 ? KelTextCodec::HexDigit(uchar(code)) : -1;
        };
        int high, low;
        if (value[i] == QChar('%') && i + 2 < value.size() && (high = digit(i + 1)) >= 0 && (low = digit(i + 2)) >= 0) {
            out.append(QChar(char16_t(high * 16 + low)));
            i += 2;
        } else {
            out.append(value[i]);
        }
    }
    return out;
}

} // namespace quillo
