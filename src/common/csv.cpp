#include "common/csv.h"

#include "common/format.h"

namespace velk {
namespace {

std::string Quoted(const std::string& field)
{
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string out = "\"";
    for (const char c : field) {
        out.push_back(c);
        if (c == '"')
            out.push_back('"');
    }
    return out + "\"";
}

// Reads rows field by field; `at` always moves forward.
class CsvReader {
public:
    explicit CsvReader(std::string_view text) : text_(text) {}

    std::optional<CsvTable> Read(std::string& error)
    {
        CsvTable table;
        while (at_ < text_.size()) {
            table.lines.push_back(line_);
            CsvRow row;
            if (!ReadRow(row, error))
                return std::nullopt;
            table.rows.push_back(std::move(row));
        }
        return table;
    }

private:
    bool ReadRow(CsvRow& row, std::string& error)
    {
        for (;;) {
            std::string field;
            if (!ReadField(field, error))
                return false;
            row.push_back(std::move(field));
            if (at_ >= text_.size())
                return true;
            const char c = text_[at_++];
            if (c == ',')
                continue;
            if (c == '\r' && at_ < text_.size() && text_[at_] == '\n')
                ++at_;
            ++line_;
            return true;
        }
    }

    bool ReadField(std::string& field, std::string& error)
    {
        if (at_ < text_.size() && text_[at_] == '"')
            return ReadQuoted(field, error);
        const auto end = text_.find_first_of(",\r\n", at_);
        field = text_.substr(at_, end == std::string_view::npos ? std::string_view::npos : end - at_);
        at_ = end == std::string_view::npos ? text_.size() : end;
        if (field.find('"') != std::string::npos) {
            error = Format("line %zu: a quote inside an unquoted field", line_);
            return false;
        }
        return true;
    }

    bool ReadQuoted(std::string& field, std::string& error)
    {
        const auto start = line_;
        for (++at_; at_ < text_.size(); ++at_) {
            const char c = text_[at_];
            if (c == '"' && at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
                field.push_back('"');
                ++at_;
            } else if (c == '"') {
                ++at_;
                if (at_ < text_.size() && text_.find_first_of(",\r\n", at_) != at_) {
                    error = Format("line %zu: text after a closing quote", line_);
                    return false;
                }
                return true;
            } else {
                line_ += c == '\n';
                field.push_back(c);
            }
        }
        error = Format("line %zu: a quoted field is never closed", start);
        return false;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
};

}  // namespace

std::string CsvLine(std::span<const std::string> fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + Quoted(fields[i]);
    return line + "\r\n";
}

std::optional<CsvTable> ParseCsv(std::string_view text, std::string& error)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    return CsvReader(text).Read(error);
}

}  // namespace velk
