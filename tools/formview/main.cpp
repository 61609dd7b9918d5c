// formview: renders page layouts to PNG pictures so a page can be compared with its printed form.
//   formview <out folder> <page.psf>...      (run with QT_QPA_PLATFORM=offscreen)
// writes <out folder>/page<N>_<piece>.png, 1000 pixels of the page to a piece.
// Bound edits show their tag and style so the binding can be checked by eye.
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QUiLoader>
#include <QWidget>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: formview <out folder> <page.psf>...\n");
        return 2;
    }
    QUiLoader loader;
    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        QFile file(QString::fromLocal8Bit(argv[i]));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot open %s\n", argv[i]);
            ++failures;
            continue;
        }
        QWidget* page = loader.load(&file);
        if (!page) {
            std::fprintf(stderr, "cannot load %s: %s\n", argv[i], qPrintable(loader.errorString()));
            ++failures;
            continue;
        }
        for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
            int tag = edit->property("tag").toInt();
            QString style = edit->property("styleLookup").toString();
            edit->setText(QString::number(tag) + (style == "EDITREADONLY" ? " R" : style.isEmpty() ? "" : " G"));
            if (!style.isEmpty())
                edit->setStyleSheet(style == "EDITREADONLY" ? "background:#e8e8e8" : "background:#e8f0ff");
        }
        // White paper, as the program shows pages.
        QPalette paper = page->palette();
        paper.setColor(QPalette::Window, Qt::white);
        page->setPalette(paper);
        page->setAutoFillBackground(true);
        page->resize(page->geometry().size());
        page->show();
        // Tall pages are cut into pieces that an image viewer shows at full size.
        QPixmap picture = page->grab();
        QString base = QString::fromLocal8Bit(argv[1]) + "/" + QFileInfo(file.fileName()).baseName();
        const int piece = 1000;
        for (int top = 0, n = 1; top < picture.height(); top += piece, ++n)
            picture.copy(0, top, picture.width(), qMin(piece, picture.height() - top))
                .save(base + "_" + QString::number(n) + ".png");
        delete page;
    }
    return failures == 0 ? 0 : 1;
}
