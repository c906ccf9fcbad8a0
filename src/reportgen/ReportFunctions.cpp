#include "reportgen/ReportFunctions.h"

#include "reportgen/IReportQueryStack.h"
#include "reportgen/TKelReportGenerator.h"
#include "tree/EKelError.h"
#include "tree/TKelPigger.h"

namespace quillo {

namespace {

TKelReportGenerator* Generator(TExprContext* context) { return dynamic_cast<TKelReportGenerator*>(context); }

bool IsString(const TExpr& value) { return value.Kind == ekString; }

QString Attr(const TKelPigger* node, const TExpr& name)
{
    return node ? node->GetAttr(QString::fromUtf8(name.Str)) : QString();
}

bool GetVar(TExprContext* context, TExpr& result, int count, const TExpr* args)
{
    TKelReportGenerator* generator = Generator(context);
    if (!generator || count != 1 || !IsString(args[0]))
        return false;
    result = generator->GetVar(args[0].Str);
    return true;
}

bool SetVar(TExprContext* context, TExpr& result, int count, const TExpr* args)
{
    TKelReportGenerator* generator = Generator(context);
    if (!generator || count != 2 || !IsString(args[0]))
        return false;
    generator->SetVar(args[0].Str, args[1]);
    result = args[1];
    return true;
}

// The step defaults to 1 in the variable's kind and must have that kind.
bool Step(TExprContext* context, TExpr& result, int count, const TExpr* args, bool increment)
{
    TKelReportGenerator* generator = Generator(context);
    if (!generator || count < 1 || count > 2 || !IsString(args[0]))
        return false;
    TExpr value = generator->GetVar(args[0].Str);
    TExpr step = TExpr::FromInt(1);
    if (count == 2)
        step = args[1];
    else
        ConvertExpr(step, value.Kind);
    if (step.Kind != value.Kind)
        return false;
    switch (value.Kind) {
    case ekInt:
        value.Int
            = int32_t(increment ? uint32_t(value.Int) + uint32_t(step.Int) : uint32_t(value.Int) - uint32_t(step.Int));
        break;
    case ekFloat:
        value.Float = CheckedFloat(increment ? value.Float + step.Float : value.Float - step.Float);
        break;
    case ekString:
        if (!increment)
            return false;
        CheckStringLength(value.Str.size() + step.Str.size());
        value.Str.append(step.Str);
        break;
    default:
        break;
    }
    generator->SetVar(args[0].Str, value);
    result = value;
    return true;
}

bool IncVar(TExprContext* context, TExpr& result, int count, const TExpr* args)
{
    return Step(context, result, count, args, true);
}

bool DecVar(TExprContext* context, TExpr& result, int count, const TExpr* args)
{
    return Step(context, result, count, args, false);
}

bool GetParam(TExprContext* context, TExpr& result, int count, const TExpr* args)
{
    TKelReportGenerator* generator = Generator(context);
    if (!generator || count != 1 || !IsString(args[0]))
        return false;
    const TExpr* value = generator->Params().Find(args[0].Str);
    if (!value)
        throw EKelError(QStringLiteral("Parameter '%1' not found").arg(QString::fromUtf8(args[0].Str)));
    result = *value;
    return true;
}

[[noreturn]] void RaiseQueryNotFound(const QByteArray& name)
{
    throw EKelError(QStringLiteral("Query '%1' not found").arg(QString::fromUtf8(name)));
}

bool GetField(TExprContext* context, TExpr& result, int count, const TExpr* args)
{
    TKelReportGenerator* generator = Generator(context);
    if (!generator || count < 1 || count > 2 || !IsString(args[0]) || (count == 2 && !IsString(args[1])))
        return false;
    const QByteArray queryName = count == 2 ? args[1].Str : QByteArray();
    if (!generator->QueryStack())
        RaiseQueryNotFound(queryName);
    result = generator->QueryStack()->GetField(args[0].Str, queryName);
    return true;
}

bool RecNo(TExprContext* context, TExpr& result, int count, const TExpr* args)
{
    TKelReportGenerator* generator = Generator(context);
    if (!generator || count > 1 || (count == 1 && !IsString(args[0])))
        return false;
    const QByteArray queryName = count == 1 ? args[0].Str : QByteArray();
    if (!generator->QueryStack())
        RaiseQueryNotFound(queryName);
    result = TExpr::FromInt(generator->QueryStack()->RecNo(queryName));
    return true;
}

// The dynamic-column functions take no arguments and need a transposed innermost query.
template <typename Read> bool Dynamic(TExprContext* context, TExpr& result, int count, Read read)
{
    TKelReportGenerator* generator = Generator(context);
    if (!generator || count != 0)
        return false;
    if (!generator->QueryStack())
        throw EKelError("Error in transponated query");
    result = read(*generator->QueryStack());
    return true;
}

bool GetDynColCount(TExprContext* context, TExpr& result, int count, const TExpr*)
{
    return Dynamic(context, result, count, [](const IReportQueryStack& q) { return TExpr::FromInt(q.DynColCount()); });
}

bool GetDynColIndex(TExprContext* context, TExpr& result, int count, const TExpr*)
{
    return Dynamic(context, result, count, [](const IReportQueryStack& q) { return TExpr::FromInt(q.DynColIndex()); });
}

bool GetDynField(TExprContext* context, TExpr& result, int count, const TExpr*)
{
    return Dynamic(context, result, count, [](const IReportQueryStack& q) { return q.DynField(); });
}

bool GetDynHeader(TExprContext* context, TExpr& result, int count, const TExpr*)
{
    return Dynamic(context, result, count, [](const IReportQueryStack& q) { return q.DynHeader(); });
}

bool GetAttrib(TExprContext* context, TExpr& result, int count, const TExpr* args)
{
    TKelReportGenerator* generator = Generator(context);
    if (!generator || count != 1 || !IsString(args[0]))
        return false;
    result = TExpr::FromString(Attr(generator->DataNode(), args[0]).toUtf8());
    return true;
}

bool GetChildAttrib(TExprContext* context, TExpr& result, int count, const TExpr* args)
{
    TKelReportGenerator* generator = Generator(context);
    if (!generator || count != 2 || args[0].Kind != ekInt || !IsString(args[1]))
        return false;
    const TKelPigger* node = generator->DataNode();
    result = TExpr::FromString(Attr(node ? node->Child(args[0].Int) : nullptr, args[1]).toUtf8());
    return true;
}

bool GetPrnAttrib(TExprContext* context, TExpr& result, int count, const TExpr* args)
{
    TKelReportGenerator* generator = Generator(context);
    if (!generator || count != 1 || !IsString(args[0]))
        return false;
    const TKelPigger* node = generator->DataNode();
    result = TExpr::FromString(Attr(node ? node->Parent() : nullptr, args[0]).toUtf8());
    return true;
}

// A parameter handed in by the page printing; a missing one reads as "<NAME>" so that it shows on paper.
bool GetPassedParam(TExprContext* context, TExpr& result, int count, const TExpr* args)
{
    TKelReportGenerator* generator = Generator(context);
    if (!generator || count != 1 || !IsString(args[0]))
        return false;
    const TKelPigger* params = generator->PassedParams();
    const QString name = QString::fromUtf8(args[0].Str);
    const TKelPigger* param
        = params && params->Tag() == "PARAMS" ? params->FindChildByAttr(QStringLiteral("NAME"), name) : nullptr;
    if (!param || param->Tag() != "PARAM") {
        result = TExpr::FromString("<" + args[0].Str + ">");
        return true;
    }
    const QString type = param->GetAttr(QStringLiteral("TYPE"));
    const QByteArray value = param->GetAttr(QStringLiteral("VALUE")).toUtf8();
    if (type == QLatin1String("INT") || type == QLatin1String("INTEGER"))
        result = TExpr::FromInt(ExprStringToInt(value).value_or(0));
    else
        result = TExpr::FromString(value);
    return true;
}

const TExprFunctionEntry Functions[] = {
    { "GETVAR", GetVar },
    { "SETVAR", SetVar },
    { "INCVAR", IncVar },
    { "DECVAR", DecVar },
    { "GETPARAM", GetParam },
    { "GETFIELD", GetField },
    { "RECNO", RecNo },
    { "GETDYNCOLCOUNT", GetDynColCount },
    { "GETDYNCOLINDEX", GetDynColIndex },
    { "GETDYNFIELD", GetDynField },
    { "GETDYNHEADER", GetDynHeader },
    { "GETATTRIB", GetAttrib },
    { "GETCHILDATTRIB", GetChildAttrib },
    { "GETPRNATTRIB", GetPrnAttrib },
    { "GETPASSEDPARAM", GetPassedParam },
};

} // namespace

std::span<const TExprFunctionEntry> ReportFunctions() { return Functions; }

} // namespace quillo
