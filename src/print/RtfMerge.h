#pragma once
// Builds the print document: each chosen page's RTF template is filled with the answers of that
// page and the filled pages are joined into one RTF document. The templates (RTF folder) and
// their support files (DAT folder) are installed data; the merge only relies on their variables
// and markers, described below.
//
// Template variables: "/" + type character + slot number (one to three digits) + "/"; a line
// end inside a variable is ignored. Types: "*" "<" text, "$" "#" whole dollars ("$" a loss in
// parentheses, "#" with its sign), "+" whole dollars without a sign, in the parentheses a loss
// line prints, "%" percent, "&" check box, "@" whole number right-aligned in eight characters,
// "^" long date. Every answer prints black, an overridden one too. A page's template may hold
// several sheets, parted as the merge parts pages (\pagebb). A page that is not the first drops
// everything up to and including the first \'b7 (the start of its body).
//
// Check boxes: the answer "X" prints as a ticked box, anything else as an empty one. The box is
// written in the template's Wingdings font as the Unicode ballot box (U+2612 ticked, U+2610
// empty) with the Wingdings letter ("x" or "o") as the fallback character: a reader without
// Unicode draws the box from the letter in Wingdings, and LibreOffice on a system without
// Wingdings (Debian ships none) takes the ballot box from a font that has it, so the PDF shows
// the boxes as ticked or empty. A plain letter in the missing symbol font would print nothing.
//
// Answer text is inserted as RTF text: "\", "{" and "}" are escaped, a tab becomes \tab, other
// control characters (NUL, BEL, ESC...) are dropped, and characters outside ASCII are written as
// \uN escapes, so a typed brace cannot break the document and "Zoë" prints as typed. Scanning resumes after the inserted text, so an answer is never expanded as a
// variable itself.

#include "print/FormSelect.h"

#include <map>
#include <string>
#include <vector>

namespace quorvan {

// Where the templates ("page<t>.rtf") and the support files ("PAGE<t>.DAT") are.
struct PrintFolders {
    std::string templates;  // the "RTF" folder
    std::string support;    // the "DAT" folder
};

// Form 8949 boxes B and C print from the box A files, boxes E and F from box D's.
int TemplateFormType(int formType);

// The merge state: the page being merged, the document so far, and the current font size, which
// carries over from one page to the next, as the template text runs on.
class TRtfMerge {
public:
    explicit TRtfMerge(PrintFolders folders);

    // Loads the template of form type t as the current page text.
    // Errors: message 1114 with the path when it is missing or unreadable.
    bool LoadTemplate(int t);
    // Fills the current page text with the answers of page [t/k] of `answers`.
    // Errors: 1112 with the support file's path when that file is missing or unreadable, a slot
    // number lies outside the page, or the merge fails; false. A support file line that does not
    // read: 2101 (code 21011), true with the page left as it is.
    bool MergePage(const TAnswer& answers, int t, int k);
    // Loads, merges and appends page [t/k] after a page break (\pagebb).
    // Errors: 1113 with the path when its template is missing; those of MergePage.
    bool AppendPage(const TAnswer& answers, int t, int k);
    // Builds the whole document from `pages` of `answers` in their order; false at the first page that
    // fails, its messages shown. No pages: true with an empty document.
    bool BuildDocument(const TAnswer& answers, const std::vector<PrintPage>& pages);

    // The decimal number at position i (counted from 1) of the page text, read up to the first
    // blank, "\", "{" or "}". Errors: 2107 (code 21070) and -1 when i is not below the text's
    // length - 3; 2106 (code 21060) for each character after which the number no longer
    // converts, keeping the value read before.
    int GetNumFromText(size_t i);

    const std::string& PageText() const { return page_; }
    void SetPageText(std::string text) { page_ = std::move(text); }
    const std::string& Document() const { return document_; }
    int CurrentFontSize() const { return fontSize_; }

    enum class SupportFile { Read, BadLine, Unreadable };

private:
    bool ReadTemplate(const std::string& name, std::string& text);
    SupportFile ReadSupport(const std::string& name);
    bool BuildPages(const TAnswer& answers, const std::vector<PrintPage>& pages);
    std::string Substitute(const TAnswer& answers, const std::string& text, int t, int k);

    PrintFolders folders_;
    std::string page_;
    std::string document_;
    int fontSize_ = 0;  // half-points, from the last "\fs" the scan passed
    bool caching_ = false;
    std::map<std::string, std::string> templateCache_;
    std::map<std::string, SupportFile> supportCache_;
};

// The Wingdings font selector of a page ("\f2 " for an entry {\f2\fnil Wingdings;}), or empty.
std::string WingdingsSelector(const std::string& pageText);

// Answer text as RTF text: "\", "{", "}" escaped, a tab as \tab, control characters below 32
// and DEL dropped, non-ASCII characters (UTF-8) as \uN escapes followed by their Windows-1252
// byte (or the nearest one, or "?") for readers without Unicode.
std::string RtfText(const std::string& utf8);

// The document as 7-bit text: bytes above 127 (template text in Windows-1252) become \'xx.
std::string SevenBitRtf(const std::string& document);

}  // namespace quorvan
