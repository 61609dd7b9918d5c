#include "app/pages/PageLayouts.h"

#include <QBuffer>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRect>
#include <QStringList>
#include <QUiLoader>
#include <QVariant>
#include <QXmlStreamReader>

#include <optional>
#include <vector>

namespace quorvan::app {
namespace {

enum class Kind { Widget, Label, LineEdit, CheckBox, PushButton, Frame, PlainTextEdit };

std::optional<Kind> KindOfClass(QStringView name)
{
    static const std::pair<const char*, Kind> kinds[] = {
        {"QWidget", Kind::Widget},
        {"QLabel", Kind::Label},
        {"QLineEdit", Kind::LineEdit},
        {"QCheckBox", Kind::CheckBox},
        {"QPushButton", Kind::PushButton},
        {"QFrame", Kind::Frame},
        {"QPlainTextEdit", Kind::PlainTextEdit},
    };
    for (const auto& [className, kind] : kinds)
        if (name == QLatin1String(className))
            return kind;
    return std::nullopt;
}

// The properties the layouts set; anything else is left to the form loader.
enum class Setter {
    Geometry,
    MinimumSize,
    StyleSheet,
    Text,
    Font,
    TextFormat,
    Alignment,
    WordWrap,
    FocusPolicy,
    FrameShape,
    Visible,
    TabChangesFocus,
    Dynamic
};

struct Property {
    Setter setter;
    QByteArray name;  // of a dynamic property
    QVariant value;
};

struct Node {
    Kind kind = Kind::Widget;
    QString name;
    std::vector<Property> properties;
    std::vector<Node> children;
};

// A page: its tree of controls and the order Tab (and Enter) moves through its fields.
struct Tree {
    Node root;
    QStringList tabStops;
};

bool IsFrame(Kind kind) { return kind == Kind::Frame || kind == Kind::Label || kind == Kind::PlainTextEdit; }

// Whether the control kind has the property, as the form loader would find it.
bool Takes(Kind kind, Setter setter)
{
    switch (setter) {
    case Setter::Text:
        return kind == Kind::Label || kind == Kind::LineEdit || kind == Kind::CheckBox || kind == Kind::PushButton;
    case Setter::TextFormat:
    case Setter::WordWrap: return kind == Kind::Label;
    case Setter::Alignment: return kind == Kind::Label || kind == Kind::LineEdit;
    case Setter::FrameShape: return IsFrame(kind);
    case Setter::TabChangesFocus: return kind == Kind::PlainTextEdit;
    default: return true;
    }
}

// "Qt::AlignLeft|Qt::AlignTop"; false for a name it does not know.
bool ReadAlignment(const QString& text, int& flags)
{
    static const std::pair<const char*, Qt::Alignment> names[] = {
        {"Qt::AlignLeft", Qt::AlignLeft},       {"Qt::AlignRight", Qt::AlignRight},
        {"Qt::AlignHCenter", Qt::AlignHCenter}, {"Qt::AlignJustify", Qt::AlignJustify},
        {"Qt::AlignTop", Qt::AlignTop},         {"Qt::AlignBottom", Qt::AlignBottom},
        {"Qt::AlignVCenter", Qt::AlignVCenter}, {"Qt::AlignCenter", Qt::AlignCenter},
        {"Qt::AlignLeading", Qt::AlignLeading}, {"Qt::AlignTrailing", Qt::AlignTrailing},
    };
    flags = 0;
    for (const QString& part : text.split(QLatin1Char('|'))) {
        bool known = false;
        for (const auto& [name, flag] : names)
            if (part.trimmed() == QLatin1String(name)) {
                flags |= static_cast<int>(flag);
                known = true;
            }
        if (!known)
            return false;
    }
    return true;
}

template <typename Value, size_t N>
bool ReadEnum(const QString& text, const std::pair<const char*, Value> (&names)[N], int& value)
{
    for (const auto& [name, v] : names)
        if (text == QLatin1String(name)) {
            value = static_cast<int>(v);
            return true;
        }
    return false;
}

// Reads the layout XML. Any element, control kind or property the builder does not know ends
// the reading with false: the form loader builds that layout.
class LayoutReader {
public:
    explicit LayoutReader(const QByteArray& bytes) : xml_(bytes) {}

    bool Read(Tree& tree)
    {
        Node& root = tree.root;
        if (!NextStart() || xml_.name() != QLatin1String("ui"))
            return false;
        bool found = false;
        while (NextStartWithin(QStringLiteral("ui"))) {
            if (xml_.name() == QLatin1String("widget")) {
                if (found || !ReadWidget(root))
                    return false;  // a second tree is not a page layout
                found = true;
            } else if (xml_.name() == QLatin1String("tabstops")) {
                while (NextStartWithin(QStringLiteral("tabstops")))
                    tree.tabStops.append(xml_.readElementText());
            } else if (xml_.name() == QLatin1String("class") || xml_.name() == QLatin1String("resources") ||
                       xml_.name() == QLatin1String("connections")) {
                xml_.skipCurrentElement();
            } else {
                return false;
            }
        }
        return found && !xml_.hasError();
    }

private:
    bool NextStart()
    {
        while (!xml_.atEnd()) {
            xml_.readNext();
            if (xml_.isStartElement())
                return true;
        }
        return false;
    }
    // The next child element of the element named `parent`, whose start was read last.
    bool NextStartWithin(const QString& parent)
    {
        while (!xml_.atEnd()) {
            xml_.readNext();
            if (xml_.isStartElement())
                return true;
            if (xml_.isEndElement() && xml_.name() == parent)
                return false;
        }
        return false;
    }

    bool ReadWidget(Node& node)
    {
        const std::optional<Kind> kind = KindOfClass(xml_.attributes().value(QLatin1String("class")));
        if (!kind)
            return false;
        node.kind = *kind;
        node.name = xml_.attributes().value(QLatin1String("name")).toString();
        while (NextStartWithin(QStringLiteral("widget"))) {
            if (xml_.name() == QLatin1String("property")) {
                if (!ReadProperty(node))
                    return false;
            } else if (xml_.name() == QLatin1String("widget")) {
                node.children.emplace_back();
                if (!ReadWidget(node.children.back()))
                    return false;
            } else {
                return false;
            }
        }
        return !xml_.hasError();
    }

    bool ReadProperty(Node& node)
    {
        const QString name = xml_.attributes().value(QLatin1String("name")).toString();
        const bool dynamic = xml_.attributes().value(QLatin1String("stdset")) == QLatin1String("0");
        if (!NextStartWithin(QStringLiteral("property")))
            return false;
        const QString type = xml_.name().toString();
        Property property{Setter::Dynamic, {}, {}};
        if (dynamic) {
            property.name = name.toLatin1();
            if (type == QLatin1String("number"))
                property.value = Number();
            else if (type == QLatin1String("string"))
                property.value = xml_.readElementText();
            else
                return false;
        } else if (!ReadStandard(name, type, property)) {
            return false;
        }
        if (!Takes(node.kind, property.setter) || xml_.hasError())
            return false;
        node.properties.push_back(std::move(property));
        // The rest of the property element.
        while (!xml_.atEnd() && !(xml_.isEndElement() && xml_.name() == QLatin1String("property")))
            xml_.readNext();
        return true;
    }

    bool ReadStandard(const QString& name, const QString& type, Property& property)
    {
        static const std::pair<const char*, Qt::TextFormat> formats[] = {
            {"Qt::PlainText", Qt::PlainText},
            {"Qt::RichText", Qt::RichText},
            {"Qt::AutoText", Qt::AutoText},
            {"Qt::MarkdownText", Qt::MarkdownText},
        };
        static const std::pair<const char*, Qt::FocusPolicy> policies[] = {
            {"Qt::NoFocus", Qt::NoFocus},       {"Qt::TabFocus", Qt::TabFocus},
            {"Qt::ClickFocus", Qt::ClickFocus}, {"Qt::StrongFocus", Qt::StrongFocus},
            {"Qt::WheelFocus", Qt::WheelFocus},
        };
        static const std::pair<const char*, QFrame::Shape> shapes[] = {
            {"QFrame::NoFrame", QFrame::NoFrame},   {"QFrame::Box", QFrame::Box},
            {"QFrame::Panel", QFrame::Panel},       {"QFrame::StyledPanel", QFrame::StyledPanel},
            {"QFrame::HLine", QFrame::HLine},       {"QFrame::VLine", QFrame::VLine},
            {"QFrame::WinPanel", QFrame::WinPanel},
        };
        int value = 0;
        if (name == QLatin1String("geometry") && type == QLatin1String("rect")) {
            property = {Setter::Geometry, {}, Rect()};
        } else if (name == QLatin1String("minimumSize") && type == QLatin1String("size")) {
            const QRect size = Rect();
            property = {Setter::MinimumSize, {}, size.size()};
        } else if (name == QLatin1String("styleSheet") && type == QLatin1String("string")) {
            property = {Setter::StyleSheet, {}, xml_.readElementText()};
        } else if (name == QLatin1String("text") && type == QLatin1String("string")) {
            property = {Setter::Text, {}, xml_.readElementText()};
        } else if (name == QLatin1String("font") && type == QLatin1String("font")) {
            QFont font;
            if (!ReadFont(font))
                return false;
            property = {Setter::Font, {}, font};
        } else if (name == QLatin1String("textFormat") && type == QLatin1String("enum")) {
            if (!ReadEnum(xml_.readElementText(), formats, value))
                return false;
            property = {Setter::TextFormat, {}, value};
        } else if (name == QLatin1String("alignment") && type == QLatin1String("set")) {
            if (!ReadAlignment(xml_.readElementText(), value))
                return false;
            property = {Setter::Alignment, {}, value};
        } else if (name == QLatin1String("focusPolicy") && type == QLatin1String("enum")) {
            if (!ReadEnum(xml_.readElementText(), policies, value))
                return false;
            property = {Setter::FocusPolicy, {}, value};
        } else if (name == QLatin1String("frameShape") && type == QLatin1String("enum")) {
            if (!ReadEnum(xml_.readElementText(), shapes, value))
                return false;
            property = {Setter::FrameShape, {}, value};
        } else if (type == QLatin1String("bool") &&
                   (name == QLatin1String("wordWrap") || name == QLatin1String("visible") ||
                    name == QLatin1String("tabChangesFocus"))) {
            const Setter setter = name == QLatin1String("wordWrap")  ? Setter::WordWrap
                                  : name == QLatin1String("visible") ? Setter::Visible
                                                                     : Setter::TabChangesFocus;
            property = {setter, {}, Bool()};
        } else {
            return false;
        }
        return true;
    }

    int Number() { return xml_.readElementText().trimmed().toInt(); }
    bool Bool() { return xml_.readElementText().trimmed() == QLatin1String("true"); }

    // <rect> or <size>: x, y, width, height, as many as are there.
    QRect Rect()
    {
        const QString element = xml_.name().toString();
        int x = 0, y = 0, width = 0, height = 0;
        while (NextStartWithin(element)) {
            const QString part = xml_.name().toString();
            const int v = Number();
            if (part == QLatin1String("x"))
                x = v;
            else if (part == QLatin1String("y"))
                y = v;
            else if (part == QLatin1String("width"))
                width = v;
            else if (part == QLatin1String("height"))
                height = v;
        }
        return {x, y, width, height};
    }

    // As the form loader: a default font with only the attributes given set.
    bool ReadFont(QFont& font)
    {
        while (NextStartWithin(QStringLiteral("font"))) {
            const QString part = xml_.name().toString();
            if (part == QLatin1String("pointsize")) {
                const int size = Number();
                if (size > 0)
                    font.setPointSize(size);
            } else if (part == QLatin1String("bold")) {
                font.setBold(Bool());
            } else if (part == QLatin1String("italic")) {
                font.setItalic(Bool());
            } else if (part == QLatin1String("underline")) {
                font.setUnderline(Bool());
            } else if (part == QLatin1String("family")) {
                font.setFamilies({xml_.readElementText()});
            } else {
                return false;
            }
        }
        return true;
    }

    QXmlStreamReader xml_;
};

QWidget* Create(Kind kind, QWidget* parent)
{
    switch (kind) {
    case Kind::Label: return new QLabel(parent);
    case Kind::LineEdit: return new QLineEdit(parent);
    case Kind::CheckBox: return new QCheckBox(parent);
    case Kind::PushButton: return new QPushButton(parent);
    case Kind::Frame: return new QFrame(parent);
    case Kind::PlainTextEdit: return new QPlainTextEdit(parent);
    case Kind::Widget: break;
    }
    return new QWidget(parent);
}

void SetText(QWidget* w, Kind kind, const QString& text)
{
    if (kind == Kind::Label)
        static_cast<QLabel*>(w)->setText(text);
    else if (kind == Kind::LineEdit)
        static_cast<QLineEdit*>(w)->setText(text);
    else
        static_cast<QAbstractButton*>(w)->setText(text);
}

void Apply(QWidget* w, Kind kind, const Property& p)
{
    switch (p.setter) {
    case Setter::Geometry: w->setGeometry(p.value.toRect()); break;
    case Setter::MinimumSize: w->setMinimumSize(p.value.toSize()); break;
    case Setter::StyleSheet: w->setStyleSheet(p.value.toString()); break;
    case Setter::Text: SetText(w, kind, p.value.toString()); break;
    case Setter::Font: w->setFont(p.value.value<QFont>()); break;
    case Setter::TextFormat:
        static_cast<QLabel*>(w)->setTextFormat(static_cast<Qt::TextFormat>(p.value.toInt()));
        break;
    case Setter::WordWrap: static_cast<QLabel*>(w)->setWordWrap(p.value.toBool()); break;
    case Setter::FocusPolicy: w->setFocusPolicy(static_cast<Qt::FocusPolicy>(p.value.toInt())); break;
    case Setter::FrameShape: static_cast<QFrame*>(w)->setFrameShape(static_cast<QFrame::Shape>(p.value.toInt())); break;
    case Setter::Visible: w->setVisible(p.value.toBool()); break;
    case Setter::TabChangesFocus: static_cast<QPlainTextEdit*>(w)->setTabChangesFocus(p.value.toBool()); break;
    case Setter::Dynamic: w->setProperty(p.name.constData(), p.value); break;
    case Setter::Alignment: {
        const auto alignment = static_cast<Qt::Alignment>(p.value.toInt());
        if (kind == Kind::Label)
            static_cast<QLabel*>(w)->setAlignment(alignment);
        else
            static_cast<QLineEdit*>(w)->setAlignment(alignment);
        break;
    }
    }
}

QWidget* BuildNode(const Node& node, QWidget* parent, QHash<QString, QWidget*>& named)
{
    QWidget* w = Create(node.kind, parent);
    w->setObjectName(node.name);
    named.insert(node.name, w);
    for (const Property& p : node.properties)
        Apply(w, node.kind, p);
    for (const Node& child : node.children)
        BuildNode(child, w, named);
    return w;
}

// As the form loader: each named control after the one before it; a name that is no control is
// passed over.
void SetTabOrder(const QStringList& tabStops, const QHash<QString, QWidget*>& named)
{
    QWidget* last = nullptr;
    for (const QString& name : tabStops) {
        QWidget* w = named.value(name);
        if (!w)
            continue;
        if (last)
            QWidget::setTabOrder(last, w);
        last = w;
    }
}

}  // namespace

struct PageLayouts::Layout {
    qint64 size = -1;
    QDateTime modified;
    QByteArray bytes;
    bool direct = false;  // read into `tree`; else the form loader builds it from `bytes`
    Tree tree;
};

PageLayouts::PageLayouts() : loader_(std::make_unique<QUiLoader>()) {}

PageLayouts::~PageLayouts() = default;

const PageLayouts::Layout* PageLayouts::Read(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return nullptr;
    std::unique_ptr<Layout>& kept = read_[path];
    if (kept && kept->size == info.size() && kept->modified == info.lastModified())
        return kept.get();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    auto layout = std::make_unique<Layout>();
    layout->size = info.size();
    layout->modified = info.lastModified();
    layout->bytes = file.readAll();
    layout->direct = LayoutReader(layout->bytes).Read(layout->tree);
    if (!layout->direct)
        layout->tree = Tree();
    kept = std::move(layout);
    return kept.get();
}

QWidget* PageLayouts::Build(const QString& path, QWidget* parent)
{
    const Layout* layout = Read(path);
    if (!layout)
        return nullptr;
    if (layout->direct) {
        QHash<QString, QWidget*> named;
        QWidget* root = BuildNode(layout->tree.root, parent, named);
        SetTabOrder(layout->tree.tabStops, named);
        return root;
    }
    QByteArray bytes = layout->bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return loader_->load(&buffer, parent);
}

QWidget* PageLayouts::BuildWithFormLoader(const QString& path, QWidget* parent)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    return loader_->load(&file, parent);
}

bool PageLayouts::BuiltDirectly(const QString& path)
{
    const Layout* layout = Read(path);
    return layout && layout->direct;
}

}  // namespace quorvan::app
