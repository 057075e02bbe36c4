#include "base/platform/Drives.h"

#include <mntent.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace tts::platform {

namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Kernel and memory file systems hold no user's files.
bool isPseudo(const std::string& type, const std::string& mountPoint) {
    static constexpr std::array<std::string_view, 22> kinds = {
        "proc",   "sysfs",       "cgroup",    "cgroup2",        "devpts",    "devtmpfs",
        "mqueue", "debugfs",     "tracefs",   "securityfs",     "pstore",    "bpf",
        "autofs", "binfmt_misc", "configfs",  "fusectl",        "hugetlbfs", "efivarfs",
        "nsfs",   "rpc_pipefs",  "selinuxfs", "fuse.gvfsd-fuse"};
    if (std::find(kinds.begin(), kinds.end(), type) != kinds.end())
        return true;
    for (std::string_view system : {"/proc", "/sys", "/dev", "/run", "/var/run", "/var/lock"})
        if (mountPoint == system || startsWith(mountPoint, std::string(system) + "/"))
            return true;
    return false;
}

DriveType typeOf(const std::string& type) {
    static constexpr std::array<std::string_view, 11> network = {
        "nfs", "nfs4", "cifs", "smb3",  "smbfs",      "fuse.sshfs",
        "9p",  "afs",  "ceph", "davfs", "fuse.rclone"};
    if (std::find(network.begin(), network.end(), type) != network.end())
        return DriveType::Network;
    if (type == "iso9660" || type == "udf")
        return DriveType::CdRom;
    if (type == "tmpfs" || type == "ramfs")
        return DriveType::Ram;
    return DriveType::Fixed;
}

// The label the system gave the device, from /dev/disk/by-label; else the device's own name.
std::string labelOf(const std::string& device) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path real = fs::canonical(device, ec);
    if (!ec) {
        for (fs::directory_iterator it("/dev/disk/by-label", ec), end; !ec && it != end;
             it.increment(ec)) {
            std::error_code same;
            if (fs::canonical(it->path(), same) == real && !same)
                return it->path().filename().string();
        }
    }
    return fs::path(device).filename().string();
}

} // namespace

std::vector<DriveInfo> machineDrives() {
    std::vector<DriveInfo> drives;
    FILE* mounts = ::setmntent("/proc/self/mounts", "r");
    if (!mounts)
        return drives;
    while (const mntent* entry = ::getmntent(mounts)) {
        const std::string type = entry->mnt_type;
        const std::string root = entry->mnt_dir;
        if (isPseudo(type, root))
            continue;
        struct statvfs space {};
        if (::statvfs(root.c_str(), &space) != 0 || (space.f_blocks == 0 && root != "/"))
            continue;
        if (std::any_of(drives.begin(), drives.end(),
                        [&](const DriveInfo& d) { return d.root == root; }))
            continue;
        DriveInfo drive;
        drive.root = root;
        drive.type = typeOf(type);
        drive.fileSystem = type;
        drive.device = entry->mnt_fsname;
        drive.label = drive.type == DriveType::Network ? drive.device : labelOf(drive.device);
        drives.push_back(drive);
    }
    ::endmntent(mounts);
    return drives;
}

} // namespace tts::platform
