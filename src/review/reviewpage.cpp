#include "review/reviewpage.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "review/pageassets.h"
#include "review/pagejson.h"
#include "review/subtitlepair.h"

namespace {

void appendList(std::string& json, const char* key, const std::vector<std::string>& texts) {
    json.push_back(',');
    appendKey(json, key);
    json.push_back('[');
    for (size_t k = 0; k < texts.size(); ++k) {
        if (k) json.push_back(',');
        appendByteString(json, texts[k]);
    }
    json.push_back(']');
}

// Appends the page's data: the files, those skipped, then the names
// rejected before and proposed.
bool appendPageData(const std::vector<ReviewFile>& files, std::vector<SkippedFile> skipped,
                    const PageNames& names, std::string& json, std::string& error,
                    std::vector<SkippedFile>* leftOff) {
    json += "{\"files\":[";
    for (size_t k = 0, shown = 0; k < files.size(); ++k) {
        size_t before = json.size();
        if (shown) json.push_back(',');
        if (appendFileData(files[k], names, json, error)) {
            ++shown;
        } else if (leftOff) {  // named among the skipped instead
            json.resize(before);
            leftOff->push_back(SkippedFile{files[k].beforePath, error});
            skipped.push_back(leftOff->back());
            error.clear();
        } else {
            return false;
        }
    }
    json += "],\"skipped\":[";
    for (size_t k = 0; k < skipped.size(); ++k) {
        json += k ? ",[" : "[";
        appendByteString(json, skipped[k].name);
        json.push_back(',');
        appendByteString(json, skipped[k].reason);
        json.push_back(']');
    }
    json.push_back(']');
    appendList(json, "rejected", names.rejected);
    appendList(json, "names", names.proposed);  // last: scripts look for "names":[...]}
    json.push_back('}');
    return true;
}

// Appends the HTML up to its data, or from there on (`head` false): its
// markers, in the order they stand, replaced by the style and the script.
// The data, the bulk of the page, is appended in between where it is
// made, not copied into the page.
void appendTemplate(std::string& page, bool head) {
    std::string_view html(pageHtml, sizeof pageHtml - 1);
    const std::string_view data = "@DATA@";
    size_t middle = html.find(data);
    const std::pair<std::string_view, std::string_view> parts[] = {
        {"@SCRIPT_HASH@", pageJsHash},
        {"@STYLE@", {pageCss, sizeof pageCss - 1}},
        {"@SCRIPT@", {pageJs, sizeof pageJs - 1}}};
    size_t from = head ? 0 : middle + data.size();
    size_t stop = head ? middle : html.size();
    for (auto [marker, text] : parts) {
        size_t at = html.find(marker, from);
        if (at >= stop) continue;
        page.append(html.substr(from, at - from)).append(text);
        from = at + marker.size();
    }
    page.append(html.substr(from, stop - from));
}

}  // namespace

bool makeReviewPage(const std::vector<ReviewFile>& files, const std::vector<SkippedFile>& skipped,
                    const PageNames& names, std::string& page, std::string& error,
                    std::vector<SkippedFile>* leftOff) {
    page.clear();
    appendTemplate(page, true);
    if (!appendPageData(files, skipped, names, page, error, leftOff)) return false;
    appendTemplate(page, false);
    return true;
}

bool writeReviewPage(const std::vector<ReviewFile>& files, const PageNames& names, std::FILE* out,
                     std::string& error) {
    std::string page;
    if (!makeReviewPage(files, {}, names, page, error)) return false;
    errno = 0;
    if (std::fwrite(page.data(), 1, page.size(), out) == page.size() && std::fflush(out) == 0)
        return true;
    error = std::string("Could not write the page: ") + std::strerror(errno ? errno : EIO);
    return false;
}
