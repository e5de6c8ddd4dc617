#include "toolkit/file_dialog_logic.h"

#include "book/folder_entries.h"
#include "book/tmain.h"
#include "platform/services.h"
#include "resources/string_table.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fstream>
#include <sstream>

#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

bool isForbiddenNameCharacter(char c) {
    switch (c) {
    case '"':
    case '*':
    case '/':
    case ':':
    case '<':
    case '>':
    case '?':
    case '\\':
    case '|':
        return true;
    default:
        return false;
    }
}

bool nameHasForbiddenCharacters(const std::string& text) {
    std::size_t slash = text.rfind('/');
    std::string name = slash == std::string::npos ? text : text.substr(slash + 1);
    return std::any_of(name.begin(), name.end(), isForbiddenNameCharacter);
}

std::string typeOfPattern(const std::string& pattern) {
    return pattern.size() <= 3 ? pattern : pattern.substr(pattern.size() - 3);
}

std::string exportCaption() {
    return "Export Book for Another Edition As...";
}

std::optional<std::string> captionForType(const std::string& type) {
    if (type == "acc") return strings::text(195);
    if (type == "csv") return strings::text(196);
    if (type == "xls") return strings::text(197);
    if (type == "txt") return strings::text(198);
    if (type == "LWK") return exportCaption();
    return std::nullopt;
}

std::string nameWithType(const std::string& name, const std::string& type) {
    if (name.empty()) return name;
    return Tmain::StripExtension(name) + "." + type;
}

namespace {

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool globMatch(const std::string& name, const std::string& pattern) {
    // Iterative wildcard match with backtracking to the last "*".
    std::size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return lower(x) < lower(y); });
}

} // namespace

bool matchesFilePattern(const std::string& fileName, const std::string& pattern) {
    std::stringstream parts(pattern);
    std::string one;
    while (std::getline(parts, one, ';')) {
        while (!one.empty() && one.front() == ' ')
            one.erase(0, 1);
        while (!one.empty() && one.back() == ' ')
            one.pop_back();
        if (!one.empty() && globMatch(fileName, one)) return true;
    }
    return false;
}

FolderContents listFolder(const fs::path& folder, const std::string& pattern) {
    FolderContents out;
    FolderEntries entries(folder);
    // A folder the user may not read is entered and shows nothing.
    if (!entries.opened() && entries.openError() != EACCES) return out;
    out.readable = true;
    while (auto name = entries.next()) {
        if (entries.lastIsFolder()) {
            if ((*name)[0] != '.') out.subfolders.emplace_back(*name);
        } else if (matchesFilePattern(std::string(*name), pattern)) {
            out.files.emplace_back(*name);
        }
    }
    std::sort(out.files.begin(), out.files.end(), lessIgnoringCase);
    std::sort(out.subfolders.begin(), out.subfolders.end(), lessIgnoringCase);
    return out;
}

std::vector<fs::path> folderChain(const fs::path& folder) {
    std::vector<fs::path> chain;
    fs::path current = folder.root_path();
    chain.push_back(current);
    for (const auto& part : folder.relative_path()) {
        if (part.empty()) continue;
        current /= part;
        chain.push_back(current);
    }
    return chain;
}

namespace {

// Mount points in the table escape blanks and backslashes as octal (\040).
std::string unescapeMountField(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() &&
            std::isdigit(static_cast<unsigned char>(s[i + 1])) &&
            std::isdigit(static_cast<unsigned char>(s[i + 2])) &&
            std::isdigit(static_cast<unsigned char>(s[i + 3]))) {
            out +=
                static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

bool isVolume(const std::string& device, const std::string& mountPoint, const std::string& type) {
    static const char* networkTypes[] = {"nfs",   "nfs4",       "cifs", "smb3",
                                         "smbfs", "fuse.sshfs", "9p"};
    bool network =
        std::find(std::begin(networkTypes), std::end(networkTypes), type) != std::end(networkTypes);
    bool block = startsWith(device, "/dev/") && !startsWith(device, "/dev/loop");
    if (!network && !block) return false;
    // Mounts that hold the system rather than the user's files.
    static const char* systemPlaces[] = {"/boot", "/proc",    "/sys", "/dev",
                                         "/snap", "/var/lib", "/efi"};
    for (const char* place : systemPlaces) {
        std::string p = place;
        if (mountPoint == p || startsWith(mountPoint, p + "/")) return false;
    }
    if (startsWith(mountPoint, "/run/") && !startsWith(mountPoint, "/run/media/")) return false;
    return true;
}

} // namespace

std::vector<std::string> volumesFromMountTable(const std::string& mountTable) {
    std::vector<std::string> volumes{"/"};
    std::istringstream lines(mountTable);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint, type;
        if (!(fields >> device >> mountPoint >> type)) continue;
        mountPoint = unescapeMountField(mountPoint);
        if (mountPoint.empty() || mountPoint[0] != '/') continue;
        if (!isVolume(device, mountPoint, type)) continue;
        if (std::find(volumes.begin(), volumes.end(), mountPoint) == volumes.end())
            volumes.push_back(mountPoint);
    }
    return volumes;
}

std::vector<std::string> mountedVolumes() {
    std::ifstream in("/proc/mounts");
    if (!in) return {"/"};
    std::stringstream all;
    all << in.rdbuf();
    return volumesFromMountTable(all.str());
}

std::string volumeOf(const fs::path& folder, const std::vector<std::string>& volumes) {
    std::string text = folder.lexically_normal().string();
    std::string best = "/";
    for (const auto& v : volumes) {
        bool holds = text == v || (startsWith(text, v) && (v == "/" || text[v.size()] == '/'));
        if (holds && v.size() > best.size()) best = v;
    }
    return best;
}

namespace {

// The home folder: the environment's HOME, else the user's entry in the
// password database.
fs::path homeFolder() {
    if (auto home = services().environment->get("HOME"); home && !home->empty()) return *home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir)
        return found->pw_dir;
    return {};
}

// "~" and "~/..." name the home folder, as in the desktop's own dialogs.
fs::path expandHome(const std::string& boxText) {
    if (boxText != "~" && boxText.rfind("~/", 0) != 0) return boxText;
    const fs::path home = homeFolder();
    if (home.empty()) return boxText;
    return boxText.size() <= 2 ? home : home / boxText.substr(2);
}

// Why `parent`, where a file should go, is not a folder: the nearest part of
// it that is there is a file, or cannot be reached, or nothing of it is there.
std::string whyNotAFolder(const fs::path& parent) {
    for (fs::path part = parent; !part.empty(); part = part.parent_path()) {
        std::error_code ec;
        const fs::file_status status = fs::status(part, ec);
        if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
            return part.string() + " cannot be reached (" + ec.message() + ").";
        if (fs::is_directory(status)) break;
        if (fs::exists(status)) return part.string() + " is a file, not a folder.";
        if (part == part.parent_path()) break;
    }
    return "There is no folder " + parent.string() + ".";
}

bool endsInBlank(const std::string& name) {
    return !name.empty() && std::isspace(static_cast<unsigned char>(name.back()));
}

} // namespace

fs::path chosenPath(const fs::path& folder, const std::string& boxText) {
    fs::path typed = expandHome(boxText);
    fs::path full = typed.is_absolute() ? typed : folder / typed;
    return full.lexically_normal();
}

TypedFile readTypedName(const fs::path& folder, const std::string& boxText,
                        const std::vector<std::string>& patterns, bool saving) {
    TypedFile typed;
    typed.path = chosenPath(folder, boxText);
    std::error_code ec;
    if (fs::is_directory(typed.path, ec)) {
        typed.folder = true;
        return typed;
    }
    const fs::path parent = typed.path.filename().empty() ? typed.path : typed.path.parent_path();
    if (!fs::is_directory(parent, ec)) {
        typed.refusal = whyNotAFolder(parent);
        return typed;
    }
    const std::string name = typed.path.filename().string();
    // A blank at the end is seldom meant, and a type after it would hide it;
    // a file of that name that is there is opened all the same.
    if (endsInBlank(name) && (saving || !fs::exists(typed.path, ec))) {
        typed.refusal = "\"" + name + "\" ends in a blank. Remove it, or type another name.";
        return typed;
    }
    const std::string stem = Tmain::StripExtension(name);
    if (stem.size() == name.size()) return typed; // no extension: the chosen type's
    const std::string extension = name.substr(stem.size() + 1);
    std::string offered;
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        const std::string type = typeOfPattern(patterns[i]);
        if (std::equal(type.begin(), type.end(), extension.begin(), extension.end(),
                       [](char a, char b) { return lower(a) == lower(b); })) {
            typed.typeIndex = static_cast<int>(i);
            return typed;
        }
        offered += (offered.empty() ? "." : ", .") + type;
    }
    if (saving)
        typed.unoffered = "\"" + name + "\" ends in ." + extension +
                          ", which is not a type offered here (" + offered + ").";
    return typed;
}
