// formgen: renders every form page description of a folder into the program's screen layouts and
// print templates.
//   formgen <descriptions folder> <data folder>
// writes <data folder>/PSF/page<N>.psf, RTF/page<N>.rtf and DAT/PAGE<N>.DAT for each page<N>.form;
// any error stops the build.
#include "FormDescription.h"
#include "PageLayout.h"
#include "RtfWriter.h"
#include "UiWriter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes only when the content changed, so unchanged layouts keep their time stamps.
void WriteIfChanged(const fs::path &path, const std::string &content)
{
    if (fs::exists(path) && ReadAll(path) == content)
        return;
    fs::path temp = path;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary);
        out << content;
        if (!out)
            throw std::runtime_error("cannot write " + temp.string());
    }
    fs::rename(temp, path);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: formgen <descriptions folder> <data folder>\n";
        return 2;
    }
    try {
        fs::path sources = argv[1];
        fs::path psf = fs::path(argv[2]) / "PSF";
        fs::path rtf = fs::path(argv[2]) / "RTF";
        fs::path dat = fs::path(argv[2]) / "DAT";
        for (const fs::path &folder : {psf, rtf, dat})
            fs::create_directories(folder);
        std::vector<fs::path> files;
        for (const auto &entry : fs::directory_iterator(sources))
            if (entry.path().extension() == ".form")
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const fs::path &file : files) {
            formgen::PageDescription page = formgen::ParseDescription(ReadAll(file), file.string());
            std::string expected = "page" + std::to_string(page.layoutNumber) + ".form";
            if (file.filename() != expected)
                throw formgen::DescriptionError(file.string() + ": the file of layout " +
                                                std::to_string(page.layoutNumber) + " is named " + expected);
            const formgen::PageLayout screen = formgen::LayOutPage(page, formgen::Medium::Screen);
            const formgen::PageLayout paper = formgen::LayOutPage(page, formgen::Medium::Print);
            const std::string number = std::to_string(page.layoutNumber);
            WriteIfChanged(psf / ("page" + number + ".psf"), formgen::WriteUiXml(screen));
            WriteIfChanged(rtf / ("page" + number + ".rtf"), formgen::WriteRtfTemplate(paper));
            WriteIfChanged(dat / ("PAGE" + number + ".DAT"), formgen::WriteSupportFile(paper));
        }
    } catch (const std::exception &error) {
        std::cerr << "formgen: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
