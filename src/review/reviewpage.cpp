#include "review/reviewpage.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "review/pageassets.h"
#include "review/pagejson.h"
#include "review/subtitlepair.h"

namespace {

// The page's data: the files, then the names.
bool pageData(const std::vector<ReviewFile>& files, const std::vector<std::string>& names,
              std::string& json, std::string& error, std::vector<std::string>* leftOff) {
    json = "{\"files\":[";
    for (size_t k = 0, shown = 0; k < files.size(); ++k) {
        size_t before = json.size();
        if (shown) json.push_back(',');
        if (appendFileData(files[k], json, error)) {
            ++shown;
        } else if (leftOff) {
            json.resize(before);
            leftOff->push_back(error);
            error.clear();
        } else {
            return false;
        }
    }
    json += "],\"names\":[";
    for (size_t k = 0; k < names.size(); ++k) {
        if (k) json.push_back(',');
        appendByteString(json, names[k]);
    }
    json += "]}";
    return true;
}

// The HTML with its markers, in the order they stand, replaced by the
// style, the data and the script.
std::string fillTemplate(const std::string& json) {
    std::string page;
    std::string_view html(pageHtml, sizeof pageHtml - 1);
    const std::pair<std::string_view, std::string_view> parts[] = {
        {"@STYLE@", {pageCss, sizeof pageCss - 1}},
        {"@DATA@", json},
        {"@SCRIPT@", {pageJs, sizeof pageJs - 1}}};
    size_t from = 0;
    for (auto [marker, text] : parts) {
        size_t at = html.find(marker, from);
        page.append(html.substr(from, at - from)).append(text);
        from = at + marker.size();
    }
    return page.append(html.substr(from));
}

}  // namespace

bool makeReviewPage(const std::vector<ReviewFile>& files, const std::vector<std::string>& names,
                    std::string& page, std::string& error, std::vector<std::string>* leftOff) {
    std::string json;
    if (!pageData(files, names, json, error, leftOff)) return false;
    page = fillTemplate(json);
    return true;
}

bool writeReviewPage(const std::vector<ReviewFile>& files, const std::vector<std::string>& names,
                     std::FILE* out, std::string& error) {
    std::string page;
    if (!makeReviewPage(files, names, page, error)) return false;
    errno = 0;
    if (std::fwrite(page.data(), 1, page.size(), out) == page.size() && std::fflush(out) == 0)
        return true;
    error = std::string("Could not write the page: ") + std::strerror(errno ? errno : EIO);
    return false;
}
