// The file dialog's rules in standard C++: which name characters are refused,
// the type of a pattern and the caption it brings, the extension rewrite when
// the type changes, the folder listing and the drives (the root and the
// mounted volumes). The dialog never changes the program's current directory:
// it keeps its own folder and hands back absolute paths.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The characters a typed file name may not hold: " * / : < > ? \ |
bool isForbiddenNameCharacter(char c);
// Whether the name part of a text (after its last "/") holds one of them
// other than "/".
bool nameHasForbiddenCharacters(const std::string& text);

// The type of a pattern: its last three characters ("*.xls" gives "xls").
std::string typeOfPattern(const std::string& pattern);
// The window caption that choosing a type brings; nullopt leaves the caption.
std::optional<std::string> captionForType(const std::string& type);
// The caption of the ".LWK" export.
std::string exportCaption();

// The name with its extension (after the last "." of its last component)
// replaced by `type`; a name without one gets ".type". An empty name stays empty.
std::string nameWithType(const std::string& name, const std::string& type);

// Whether a file name matches a pattern of "*" and "?" wildcards, ignoring
// ASCII case; several patterns may be given separated by ";".
bool matchesFilePattern(const std::string& fileName, const std::string& pattern);

struct FolderContents {
    bool readable = false;
    std::vector<std::string> files;      // names matching the pattern, sorted
    std::vector<std::string> subfolders; // names, sorted; hidden ones left out
};
// Lists a folder; an unreadable folder gives readable = false and nothing.
FolderContents listFolder(const std::filesystem::path& folder, const std::string& pattern);

// The folders from the root down to `folder` (absolute, normal form).
std::vector<std::filesystem::path> folderChain(const std::filesystem::path& folder);

// The drives the dialog offers: "/" and then the mount points of mounted
// volumes (block devices and network shares) in the order of a mount table
// in the form of /proc/mounts, without system mounts or repeats.
std::vector<std::string> volumesFromMountTable(const std::string& mountTable);
// The same from this machine's /proc/mounts ("/" alone when it cannot be read).
std::vector<std::string> mountedVolumes();
// The drive a folder lies on: the longest volume that holds it.
std::string volumeOf(const std::filesystem::path& folder, const std::vector<std::string>& volumes);

// The absolute path of what the name box holds, taken in `folder` unless it
// is absolute; "~" and "~/..." are the home folder; "." and ".." are resolved
// in the text.
std::filesystem::path chosenPath(const std::filesystem::path& folder, const std::string& boxText);

// What the name box asks for when the dialog is accepted. A name with
// folders ("/home/user/tb1.xls", "archive/x.acc") is a file in that folder.
struct TypedFile {
    std::filesystem::path path; // absolute
    bool folder = false;        // it names a folder that is there: the dialog goes to it
    // The offered pattern its extension names (ASCII case ignored): a typed
    // extension chooses the type; -1 when it has none the list offers.
    int typeIndex = -1;
    // Not empty: told, and nothing is chosen. A folder that is not there, a
    // file where a folder should be, or a name ending in a blank (saving, or
    // opening a file that is not there).
    std::string refusal;
    // Saving, a typed extension no offered type has, told before anything is
    // written ("\"tb.pdf\" ends in .pdf, which is not a type offered here
    // (.xls, .csv)."): the name keeps it, and the chosen type's is added.
    std::string unoffered;
};
// `saving`: a name whose extension no offered type has is told (`unoffered`),
// never written under another extension than the one typed.
TypedFile readTypedName(const std::filesystem::path& folder, const std::string& boxText,
                        const std::vector<std::string>& patterns, bool saving);
