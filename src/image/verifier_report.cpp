#include "image/verifier_report.h"

#include "common/format.h"

namespace velk {
namespace {

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            out += std::string("\\") + c;
        else if (u < 0x20)
            out += Format("\\u%04x", u);
        else
            out += c;
    }
    return out + "\"";
}

std::string JsonRows(const std::vector<InspectionRow>& rows)
{
    std::string out = "[";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const InspectionRow& r = rows[i];
        out += Format("%s\n    {\"offset\": %llu, \"field\": ", i ? "," : "", static_cast<unsigned long long>(r.offset));
        out += JsonString(r.field) + ", \"value\": " + JsonString(r.value) + ", \"ok\": " + (r.ok ? "true" : "false") + "}";
    }
    return out + (rows.empty() ? "]" : "\n  ]");
}

}  // namespace

void InspectionReport::Problem(std::uint64_t offset, std::string field, std::string text)
{
    rows.push_back({offset, field, text, false});
    problems.push_back(rows.back());
}

void InspectionReport::Check(bool ok, std::uint64_t offset, std::string field, std::string value, const std::string& text)
{
    if (ok)
        Add(offset, std::move(field), std::move(value));
    else
        Problem(offset, std::move(field), value + ": " + text);
}

std::string FirstProblemText(const InspectionReport& report)
{
    if (report.Sound())
        return {};
    const InspectionRow& p = report.problems.front();
    return Format("offset 0x%08llX: %s: %s", static_cast<unsigned long long>(p.offset), p.field.c_str(), p.value.c_str());
}

std::string ReportText(const InspectionReport& report)
{
    std::string out = report.kind + "\n";
    for (const InspectionRow& r : report.rows)
        out += Format("%s 0x%08llX  %-28s %s\n", r.ok ? "  " : "!!", static_cast<unsigned long long>(r.offset), r.field.c_str(),
                      r.value.c_str());
    return out;
}

std::string ReportJson(const InspectionReport& report)
{
    return "{\n  \"kind\": " + JsonString(report.kind) + ",\n  \"sound\": " + (report.Sound() ? "true" : "false")
        + ",\n  \"rows\": " + JsonRows(report.rows) + ",\n  \"problems\": " + JsonRows(report.problems) + "\n}\n";
}

}  // namespace velk
