#include "UiWriter.h"

#include <sstream>

namespace formgen {
namespace {

std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

class Xml {
public:
    explicit Xml(std::ostringstream& out) : out_(out) {}

    void Open(const std::string& cls, const std::string& name)
    {
        Indent();
        out_ << "<widget class=\"" << cls << "\" name=\"" << Escape(name) << "\">\n";
        ++depth_;
    }
    void Close()
    {
        --depth_;
        Indent();
        out_ << "</widget>\n";
    }
    void Geometry(const Rect& r)
    {
        Indent();
        out_ << "<property name=\"geometry\"><rect><x>" << r.x << "</x><y>" << r.y << "</y><width>" << r.w
             << "</width><height>" << r.h << "</height></rect></property>\n";
    }
    void String(const std::string& name, const std::string& value, bool dynamic = false)
    {
        Indent();
        out_ << "<property name=\"" << name << "\"" << (dynamic ? " stdset=\"0\"" : "") << "><string>" << Escape(value)
             << "</string></property>\n";
    }
    void Number(const std::string& name, int value, bool dynamic = false)
    {
        Indent();
        out_ << "<property name=\"" << name << "\"" << (dynamic ? " stdset=\"0\"" : "") << "><number>" << value
             << "</number></property>\n";
    }
    void Bool(const std::string& name, bool value)
    {
        Indent();
        out_ << "<property name=\"" << name << "\"><bool>" << (value ? "true" : "false") << "</bool></property>\n";
    }
    void Enum(const std::string& name, const std::string& value, bool set = false)
    {
        Indent();
        const char* tag = set ? "set" : "enum";
        out_ << "<property name=\"" << name << "\"><" << tag << ">" << value << "</" << tag << "></property>\n";
    }
    void Font(int pointSize, bool bold)
    {
        Indent();
        out_ << "<property name=\"font\"><font><pointsize>" << pointSize << "</pointsize><bold>"
             << (bold ? "true" : "false") << "</bold></font></property>\n";
    }
    void Line(const std::string& text)
    {
        Indent();
        out_ << text << "\n";
    }

private:
    void Indent()
    {
        for (int i = 0; i < depth_; ++i)
            out_ << ' ';
    }
    std::ostringstream& out_;
    int depth_ = 0;
};

const char* Alignment(Align a)
{
    switch (a) {
    case Align::Center: return "Qt::AlignHCenter|Qt::AlignTop";
    case Align::Right: return "Qt::AlignRight|Qt::AlignTop";
    case Align::LeftMiddle: return "Qt::AlignLeft|Qt::AlignVCenter";
    default: return "Qt::AlignLeft|Qt::AlignTop";
    }
}

void WriteLabel(Xml& xml, const Element& e, const std::string& text, int tag, Align align, bool wrap)
{
    xml.Open("QLabel", e.name);
    xml.Geometry(e.rect);
    xml.Font(e.pointSize, e.bold);
    xml.String("text", text);
    xml.Enum("textFormat", "Qt::PlainText");
    xml.Enum("alignment", Alignment(align), true);
    xml.Bool("wordWrap", wrap);
    xml.Number("tag", tag, true);
    xml.Close();
}

// The form's line a field belongs to, so that the program can name the field in its messages.
void WriteLine(Xml& xml, const Element& e)
{
    if (!e.line.empty())
        xml.String("line", e.line, true);
}

void WriteElement(Xml& xml, const Element& e)
{
    switch (e.type) {
    case ElementType::Caption:
    case ElementType::LineNumber:
    case ElementType::BoxLabel: WriteLabel(xml, e, e.text, 0, e.align, e.wrap); break;
    case ElementType::AnswerLabel: WriteLabel(xml, e, "", e.Tag(), Align::Left, false); break;
    case ElementType::Band: {
        xml.Open("QFrame", e.name);
        xml.Geometry(e.rect);
        xml.Enum("frameShape", "QFrame::NoFrame");
        xml.Number("tag", 0, true);
        Element label = e;
        label.name = e.name + "Label";
        label.rect = {0, 0, e.labelWidth, e.rect.h};
        xml.Open("QLabel", label.name);
        xml.Geometry(label.rect);
        xml.Font(9, true);
        xml.String("text", e.label);
        xml.String("styleSheet", "background-color: black; color: white;");
        xml.Enum("alignment", "Qt::AlignCenter", true);
        xml.Number("tag", 0, true);
        xml.Close();
        Element title = e;
        title.name = e.name + "Title";
        title.rect = {e.labelWidth + 8, 0, e.rect.w - e.labelWidth - 8, e.rect.h};
        WriteLabel(xml, title, e.text, 0, Align::LeftMiddle, true);
        xml.Close();
        break;
    }
    case ElementType::Rule:
        xml.Open("QFrame", e.name);
        xml.Geometry(e.rect);
        xml.String("styleSheet", "background-color: black;");
        xml.Enum("frameShape", "QFrame::NoFrame");
        xml.Number("tag", 0, true);
        xml.Close();
        break;
    case ElementType::Edit:
        xml.Open("QLineEdit", e.name);
        xml.Geometry(e.rect);
        xml.Enum("alignment",
                 e.align == Align::Right ? "Qt::AlignRight|Qt::AlignVCenter" : "Qt::AlignLeft|Qt::AlignVCenter", true);
        if (e.style == "EDITREADONLY")
            xml.Enum("focusPolicy", "Qt::NoFocus");
        xml.Number("tag", e.Tag(), true);
        xml.String("styleLookup", e.style, true);
        WriteLine(xml, e);
        xml.Close();
        break;
    case ElementType::CheckBox:
        xml.Open("QCheckBox", e.name);
        xml.Geometry(e.rect);
        xml.String("text", "");
        xml.Number("tag", e.Tag(), true);
        xml.String("styleLookup", e.style, true);
        WriteLine(xml, e);
        xml.Close();
        break;
    case ElementType::Memo:
        xml.Open("QPlainTextEdit", e.name);
        xml.Geometry(e.rect);
        xml.Bool("tabChangesFocus", true);
        xml.Number("tag", e.Tag(), true);
        WriteLine(xml, e);
        xml.Close();
        break;
    case ElementType::Spacer:
    // Marks of painted sheets never reach the screen.
    case ElementType::SheetBreak:
    case ElementType::ThirdBreak:
    case ElementType::CutLine:
    case ElementType::SideLabel:
    case ElementType::SideEnd: break;
    case ElementType::Shade:
        xml.Open("QFrame", e.name);
        xml.Geometry(e.rect);
        xml.String("styleSheet", "background-color: #d9d9d9;");
        xml.Enum("frameShape", "QFrame::NoFrame");
        xml.Number("tag", 0, true);
        xml.Close();
        break;
    case ElementType::WriteIn:
        // The line to write on, at the foot of the space.
        xml.Open("QFrame", e.name);
        xml.Geometry({e.rect.x, e.rect.y + e.rect.h - 1, e.rect.w, 1});
        xml.String("styleSheet", "background-color: black;");
        xml.Enum("frameShape", "QFrame::NoFrame");
        xml.Number("tag", 0, true);
        xml.Close();
        break;
    case ElementType::HelpButton: {
        xml.Open("QPushButton", e.name);
        xml.Geometry(e.rect);
        xml.Font(8, true);
        xml.String("text", "?");
        xml.Enum("focusPolicy", "Qt::NoFocus");
        xml.Number("tag", 0, true);
        // The callout lies inside its button; the program lifts it above the page when shown.
        int lines = 1 + static_cast<int>(e.text.size()) / 58;
        Rect callout{20, 0, 420, lines * 15 + 16};
        xml.Open("QFrame", e.name + "Callout");
        xml.Geometry(callout);
        xml.Enum("frameShape", "QFrame::Box");
        xml.String("styleSheet", "QFrame { background-color: #ffffe1; border: 1px solid #808080; }");
        xml.Bool("visible", false);
        xml.Number("tag", 0, true);
        Element text = e;
        text.name = e.name + "Text";
        text.rect = {6, 6, callout.w - 12, callout.h - 12};
        text.pointSize = 9;
        text.bold = false;
        xml.Open("QLabel", text.name);
        xml.Geometry(text.rect);
        xml.Font(9, false);
        xml.String("text", e.text);
        xml.String("styleSheet", "border: none;");
        xml.Bool("wordWrap", true);
        xml.Number("tag", 0, true);
        xml.Close();
        xml.Close();
        xml.Close();
        break;
    }
    }
}

}  // namespace

std::string WriteUiXml(const PageLayout& layout)
{
    std::ostringstream out;
    std::string pageName = "page" + std::to_string(layout.layoutNumber);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n <class>" << pageName << "</class>\n";
    Xml xml(out);
    xml.Line(" <widget class=\"QWidget\" name=\"" + pageName + "\">");
    {
        out << "  <property name=\"geometry\"><rect><x>0</x><y>0</y><width>" << layout.width << "</width><height>"
            << layout.height << "</height></rect></property>\n";
        out << "  <property name=\"minimumSize\"><size><width>" << layout.width << "</width><height>" << layout.height
            << "</height></size></property>\n";
        out << "  <property name=\"focusTag\" stdset=\"0\"><number>" << layout.focusTag << "</number></property>\n";
    }
    std::ostringstream body;
    Xml children(body);
    for (const Element& e : layout.elements)
        WriteElement(children, e);
    // Indent the children under the root widget.
    std::istringstream lines(body.str());
    std::string line;
    while (std::getline(lines, line))
        out << "  " << line << "\n";
    out << " </widget>\n <tabstops>\n";
    for (const Element& e : layout.elements) {
        bool focusable = (e.type == ElementType::Edit && e.style != "EDITREADONLY") ||
                         e.type == ElementType::CheckBox || e.type == ElementType::Memo;
        if (focusable)
            out << "  <tabstop>" << Escape(e.name) << "</tabstop>\n";
    }
    out << " </tabstops>\n <resources/>\n <connections/>\n</ui>\n";
    return out.str();
}

}  // namespace formgen
