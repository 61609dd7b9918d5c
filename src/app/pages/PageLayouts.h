#pragma once
// The page layouts, read once: each layout file is read the first time its page is shown, what it
// describes is kept, and every later display builds the page's controls straight from that, which
// takes a fraction of what reading and building through Qt's form loader takes. A layout that
// holds a control or property this builder does not know is built by the form loader, as before.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <map>
#include <memory>

class QUiLoader;
class QWidget;

namespace quorvan::app {

class PageLayouts {
public:
    PageLayouts();
    ~PageLayouts();
    PageLayouts(const PageLayouts&) = delete;
    PageLayouts& operator=(const PageLayouts&) = delete;

    // Builds the controls of the layout file at `path` inside `parent` and returns the page's
    // root control, or nullptr when the file cannot be read or holds no layout. A file changed
    // since it was read is read again.
    QWidget* Build(const QString& path, QWidget* parent);
    // The same through Qt's form loader alone.
    QWidget* BuildWithFormLoader(const QString& path, QWidget* parent);

    // Whether the layout at `path` is built by this builder (false: by the form loader).
    bool BuiltDirectly(const QString& path);

    struct Layout;

private:
    const Layout* Read(const QString& path);

    std::map<QString, std::unique_ptr<Layout>> read_;
    std::unique_ptr<QUiLoader> loader_;
};

}  // namespace quorvan::app
