#include "SlotNames.h"

#include "FieldToken.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

namespace formgen {
namespace {

class Collector {
public:
    explicit Collector(const PageDescription& page) : page_(page)
    {
        names_.space = page.slotSpace;
        names_.layout = page.layoutNumber;
        names_.formTypes = page.formTypes;
    }

    SlotNames Run()
    {
        const auto& statements = page_.statements;
        for (size_t i = 0; i < statements.size(); ++i) {
            const Statement& s = statements[i];
            if (s.keyword == "line" || s.keyword == "row" || s.keyword == "footer") {
                for (size_t a = s.keyword == "line" ? 1 : 0; a < s.args.size(); ++a) {
                    FieldToken field;
                    if (!s.args[a].quoted && ReadFieldToken(s.args[a].text, field))
                        Bound(s, field.slot, field.name, field.kind);
                }
            } else if (s.keyword == "table") {
                Table(statements, i);
            } else if (s.keyword == "slot") {
                Hidden(s);
            }
        }
        for (const auto& [slot, hidden] : hidden_)
            if (bound_.count(slot))
                Fail(hidden.second, "slot " + std::to_string(slot) + " is on the page: name it where it stands");
        for (const auto& [slot, name] : nameOf_) {
            NamedSlot named;
            named.name = name;
            named.slot = slot;
            named.kind = kindOf_[slot];
            const auto hidden = hidden_.find(slot);
            if (hidden != hidden_.end())
                named.note = hidden->second.first;
            names_.slots.push_back(named);
        }
        return names_;
    }

private:
    [[noreturn]] void Fail(int line, const std::string& what) const
    {
        throw DescriptionError(page_.sourceName + ":" + std::to_string(line) + ": " + what);
    }

    void Name(int line, int slot, const std::string& name, char kind)
    {
        if (name.empty())
            return;
        if (page_.slotSpace.empty())
            Fail(line, "slot " + name + " is named on a page without a name (page ... name=<name>)");
        const auto known = slotOf_.find(name);
        if (known != slotOf_.end() && known->second != slot)
            Fail(line, "the name " + name + " stands for slots " + std::to_string(known->second) + " and " +
                           std::to_string(slot));
        const auto named = nameOf_.find(slot);
        if (named != nameOf_.end() && named->second != name)
            Fail(line, "slot " + std::to_string(slot) + " is named " + named->second + " and " + name);
        if (tableNames_.count(name))
            Fail(line, "the name " + name + " is a table's");
        slotOf_[name] = slot;
        nameOf_[slot] = name;
        kindOf_[slot] = kind;
    }

    void Bound(const Statement& s, int slot, const std::string& name, char kind)
    {
        bound_.insert({slot, s.sourceLine});
        Name(s.sourceLine, slot, name, kind);
    }

    void Table(const std::vector<Statement>& statements, size_t& i)
    {
        const Statement& s = statements[i];
        NamedTable table;
        if (s.args.size() < 3 || !ReadNamedNumber(s.args[1].text, table.first, table.name))
            Fail(s.sourceLine, "table <rows> <first slot>[:<name>] <stride> [row height]");
        table.rows = std::stoi(s.args[0].text);
        table.stride = std::stoi(s.args[2].text);
        if (!table.name.empty() && (slotOf_.count(table.name) || tableNames_.count(table.name)))
            Fail(s.sourceLine, "the name " + table.name + " is taken");
        if (!table.name.empty() && page_.slotSpace.empty())
            Fail(s.sourceLine, "table " + table.name + " is named on a page without a name");
        for (++i; i < statements.size() && statements[i].keyword != "endtable"; ++i) {
            const Statement& c = statements[i];
            if (c.keyword != "col" || c.args.size() < 3 || c.args[2].text.size() < 2 || c.args[2].text[1] != '+')
                continue;  // the layout refuses it
            const std::string& cell = c.args[2].text;
            FieldToken field;
            if (!ReadFieldToken(cell.substr(0, 1) + cell.substr(2), field))
                continue;
            for (int r = 0; r < table.rows; ++r)
                bound_.insert({table.first + r * table.stride + field.slot, c.sourceLine});
            if (field.name.empty())
                continue;
            if (table.name.empty())
                Fail(c.sourceLine, "column " + field.name + " of a table without a name");
            const bool twice = std::any_of(table.columns.begin(), table.columns.end(),
                                           [&](const NamedSlot& column) { return column.name == field.name; });
            if (twice)
                Fail(c.sourceLine, "two columns are named " + field.name);
            NamedSlot column;
            column.name = field.name;
            column.slot = field.slot;
            column.kind = field.kind;
            table.columns.push_back(column);
        }
        if (!table.name.empty()) {
            tableNames_.insert(table.name);
            names_.tables.push_back(table);
        }
    }

    void Hidden(const Statement& s)
    {
        int slot = -1;
        std::string name;
        if (s.args.empty() || s.args[0].quoted || !ReadNamedNumber(s.args[0].text, slot, name) || name.empty() ||
            s.args.size() != 2 || !s.args[1].quoted)
            Fail(s.sourceLine, "slot <number>:<name> \"<why no page shows it>\"");
        hidden_[slot] = {s.args[1].text, s.sourceLine};
        Name(s.sourceLine, slot, name, 0);
    }

    const PageDescription& page_;
    SlotNames names_;
    std::map<std::string, int> slotOf_;
    std::map<int, std::string> nameOf_;
    std::map<int, char> kindOf_;
    std::map<int, int> bound_;                           // slot, description line
    std::map<int, std::pair<std::string, int>> hidden_;  // slot, (note, description line)
    std::set<std::string> tableNames_;
};

const char* KindWord(char kind)
{
    switch (kind) {
    case 'd': return "whole dollars";
    case 'c': return "dollars and cents";
    case 'p': return "percentage";
    case 't': return "text";
    case 'n': return "count";
    case 'x': return "check box";
    case 'e': return "estimate box";
    case 'm': return "memo";
    case 'a': return "shown answer";
    default: return "on no page";
    }
}

}  // namespace

SlotNames CollectSlotNames(const PageDescription& page) { return Collector(page).Run(); }

std::string HeaderStem(const std::string& space)
{
    std::string stem = space;
    if (!stem.empty())
        stem[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(stem[0])));
    return stem;
}

std::string WriteSlotHeader(const SlotNames& names, const std::string& sourceName)
{
    const bool typed = names.formTypes.size() == 1;
    std::ostringstream out;
    out << "// Generated by tools/formgen from " << sourceName << "; not edited by hand.\n"
        << "// The slots of layout " << names.layout << " by the names its description gives them.\n"
        << "#pragma once\n\n";
    if (typed)
        out << "#include \"store/SlotRef.h\"\n\n";
    out << "namespace quorvan::slot::" << names.space << " {\n\n"
        << "constexpr int kLayout = " << names.layout << ";\n";
    if (typed)
        out << "constexpr int kFormType = " << names.formTypes.front() << ";\n";
    out << "\n";
    for (const NamedSlot& s : names.slots) {
        if (typed)
            out << "constexpr SlotRef " << s.name << "{kFormType, " << s.slot << "};  // " << KindWord(s.kind);
        else
            out << "constexpr int " << s.name << " = " << s.slot << ";  // " << KindWord(s.kind);
        if (!s.note.empty())
            out << ": " << s.note;
        out << "\n";
    }
    for (const NamedTable& t : names.tables) {
        out << "\n// Row r (from 0) of the table: column c is slot Slot(r, c).\nnamespace " << t.name << " {\n"
            << "constexpr int kFirst = " << t.first << ";\n"
            << "constexpr int kStride = " << t.stride << ";\n"
            << "constexpr int kRows = " << t.rows << ";\n";
        for (const NamedSlot& c : t.columns)
            out << "constexpr int " << c.name << " = " << c.slot << ";  // column offset, " << KindWord(c.kind) << "\n";
        if (typed)
            out << "constexpr SlotRef Slot(int row, int column) { return {kFormType, kFirst + row * kStride + column}; "
                   "}\n";
        else
            out << "constexpr int Slot(int row, int column) { return kFirst + row * kStride + column; }\n";
        out << "}  // namespace " << t.name << "\n";
    }
    out << "\n}  // namespace quorvan::slot::" << names.space << "\n";
    return out.str();
}

}  // namespace formgen
