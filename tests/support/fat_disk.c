// A FAT disk's rules over a folder, for the tests: a FUSE file system that
// passes every call on to the folder beneath and keeps only what FAT
// keeps. No modes (chmod fails with ENOSYS), no owners (everything is the
// mounting user's), no hard links (EPERM), no birth times, times in whole
// seconds. A write that starts at the end of a file that its open did not
// make is refused with EPERM, as fusefat refuses it, and so is a write the
// disk has no room for. With "nosize" statvfs tells no size at all (0
// blocks), as fusefat does for FAT32.
//
//   fat_disk FOLDER MOUNTPOINT -o size=BYTES[,nosize] [FUSE options]
#define FUSE_USE_VERSION 26
#define _GNU_SOURCE

#include <fuse.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

enum { Cluster = 4096 };

static struct {
    const char *folder;
    unsigned long size; // bytes
    int nosize;
} disk = {NULL, 16UL << 20, 0};

static int root = -1; // the folder beneath

static const char *under(const char *path) { return path[1] ? path + 1 : "."; }

// The descriptor beneath, and whether this open made the file.
static int fd_of(const struct fuse_file_info *fi) { return (int)(fi->fh & 0xffffffff); }
static int made(const struct fuse_file_info *fi) { return (int)(fi->fh >> 32); }

static unsigned long long clusters(off_t bytes) { return ((unsigned long long)bytes + Cluster - 1) / Cluster; }

// The clusters the folder `dir` takes with all in it: counted at each use,
// the tests' folders being small.
static unsigned long long used(int dir)
{
    const int copy = openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *d = copy >= 0 ? fdopendir(copy) : NULL;
    unsigned long long n = 1;
    if (!d) {
        if (copy >= 0)
            close(copy);
        return n;
    }
    struct dirent *e;
    while ((e = readdir(d))) {
        struct stat st;
        if (!strcmp(e->d_name, ".") || !strcmp(e->d_name, "..")
            || fstatat(dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            const int sub = openat(dirfd(d), e->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (sub >= 0)
                n += used(sub), close(sub);
        } else {
            n += clusters(st.st_size);
        }
    }
    closedir(d);
    return n;
}

static void as_fat(struct stat *st)
{
    st->st_mode = (st->st_mode & S_IFMT) | (S_ISDIR(st->st_mode) ? 0755 : 0644);
    st->st_uid = getuid(), st->st_gid = getgid();
    st->st_atim.tv_nsec = st->st_mtim.tv_nsec = st->st_ctim.tv_nsec = 0;
}

static int fat_getattr(const char *path, struct stat *st)
{
    if (fstatat(root, under(path), st, AT_SYMLINK_NOFOLLOW) != 0)
        return -errno;
    as_fat(st);
    return 0;
}

static int fat_fgetattr(const char *path, struct stat *st, struct fuse_file_info *fi)
{
    (void)path;
    if (fstat(fd_of(fi), st) != 0)
        return -errno;
    as_fat(st);
    return 0;
}

static int fat_readdir(const char *path, void *buf, fuse_fill_dir_t fill, off_t offset, struct fuse_file_info *fi)
{
    (void)offset, (void)fi;
    const int fd = openat(root, under(path), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *d = fd >= 0 ? fdopendir(fd) : NULL;
    if (!d) {
        const int why = errno;
        if (fd >= 0)
            close(fd);
        return -why;
    }
    struct dirent *e;
    while ((e = readdir(d)))
        if (fill(buf, e->d_name, NULL, 0))
            break;
    closedir(d);
    return 0;
}

static int opened(int fd, int made_now, struct fuse_file_info *fi)
{
    if (fd < 0)
        return -errno;
    fi->fh = (uint64_t)(unsigned)fd | ((uint64_t)made_now << 32);
    return 0;
}

static int fat_open(const char *path, struct fuse_file_info *fi)
{
    return opened(openat(root, under(path), fi->flags | O_CLOEXEC), 0, fi);
}

static int fat_create(const char *path, mode_t mode, struct fuse_file_info *fi)
{
    (void)mode;
    return opened(openat(root, under(path), fi->flags | O_CREAT | O_CLOEXEC, 0644), 1, fi);
}

static int fat_read(const char *path, char *buf, size_t size, off_t offset, struct fuse_file_info *fi)
{
    (void)path;
    const ssize_t n = pread(fd_of(fi), buf, size, offset);
    return n < 0 ? -errno : (int)n;
}

static int fat_write(const char *path, const char *buf, size_t size, off_t offset, struct fuse_file_info *fi)
{
    (void)path;
    struct stat st;
    if (fstat(fd_of(fi), &st) != 0)
        return -errno;
    if (!made(fi) && st.st_size > 0 && offset >= st.st_size)
        return -EPERM;
    const off_t end = offset + (off_t)size;
    if (end > st.st_size && used(root) + clusters(end) - clusters(st.st_size) > disk.size / Cluster)
        return -EPERM;
    const ssize_t n = pwrite(fd_of(fi), buf, size, offset);
    return n >= 0 ? (int)n : errno == ENOSPC ? -EPERM : -errno;
}

static int fat_truncate(const char *path, off_t size)
{
    const int fd = openat(root, under(path), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return -errno;
    const int r = ftruncate(fd, size) == 0 ? 0 : -errno;
    close(fd);
    return r;
}

static int fat_ftruncate(const char *path, off_t size, struct fuse_file_info *fi)
{
    (void)path;
    return ftruncate(fd_of(fi), size) == 0 ? 0 : -errno;
}

static int fat_fsync(const char *path, int datasync, struct fuse_file_info *fi)
{
    (void)path;
    return (datasync ? fdatasync(fd_of(fi)) : fsync(fd_of(fi))) == 0 ? 0 : -errno;
}

static int fat_flush(const char *path, struct fuse_file_info *fi)
{
    (void)path;
    return close(dup(fd_of(fi))) == 0 ? 0 : -errno;
}

static int fat_release(const char *path, struct fuse_file_info *fi)
{
    (void)path;
    close(fd_of(fi));
    return 0;
}

static int fat_unlink(const char *path) { return unlinkat(root, under(path), 0) == 0 ? 0 : -errno; }
static int fat_rmdir(const char *path) { return unlinkat(root, under(path), AT_REMOVEDIR) == 0 ? 0 : -errno; }

static int fat_mkdir(const char *path, mode_t mode)
{
    (void)mode;
    return mkdirat(root, under(path), 0755) == 0 ? 0 : -errno;
}

static int fat_rename(const char *from, const char *to)
{
    return renameat(root, under(from), root, under(to)) == 0 ? 0 : -errno;
}

static int fat_link(const char *from, const char *to)
{
    (void)from, (void)to;
    return -EPERM;
}

static int fat_utimens(const char *path, const struct timespec times[2])
{
    return utimensat(root, under(path), times, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : -errno;
}

static int fat_statfs(const char *path, struct statvfs *fs)
{
    (void)path;
    memset(fs, 0, sizeof *fs);
    fs->f_bsize = fs->f_frsize = Cluster;
    fs->f_namemax = 255;
    if (!disk.nosize) {
        const unsigned long long all = disk.size / Cluster, taken = used(root);
        fs->f_blocks = all;
        fs->f_bfree = fs->f_bavail = taken < all ? all - taken : 0;
    }
    return 0;
}

static int fat_fsyncdir(const char *path, int datasync, struct fuse_file_info *fi)
{
    (void)path, (void)datasync, (void)fi;
    return 0;
}

static const struct fuse_operations operations = {
    .getattr = fat_getattr,
    .fgetattr = fat_fgetattr,
    .readdir = fat_readdir,
    .open = fat_open,
    .create = fat_create,
    .read = fat_read,
    .write = fat_write,
    .truncate = fat_truncate,
    .ftruncate = fat_ftruncate,
    .fsync = fat_fsync,
    .flush = fat_flush,
    .release = fat_release,
    .unlink = fat_unlink,
    .rmdir = fat_rmdir,
    .mkdir = fat_mkdir,
    .rename = fat_rename,
    .link = fat_link,
    .utimens = fat_utimens,
    .statfs = fat_statfs,
    .fsyncdir = fat_fsyncdir,
};

static const struct fuse_opt options[] = {
    {"size=%lu", offsetof(__typeof__(disk), size), 0},
    {"nosize", offsetof(__typeof__(disk), nosize), 1},
    FUSE_OPT_END,
};

static int folder_beneath(void *data, const char *arg, int key, struct fuse_args *out)
{
    (void)data, (void)out;
    if (key == FUSE_OPT_KEY_NONOPT && !disk.folder) {
        disk.folder = arg;
        return 0;
    }
    return 1;
}

int main(int argc, char *argv[])
{
    struct fuse_args args = FUSE_ARGS_INIT(argc, argv);
    if (fuse_opt_parse(&args, &disk, options, folder_beneath) != 0 || !disk.folder)
        return 2;
    root = open(disk.folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root < 0)
        return 2;
    return fuse_main(args.argc, args.argv, &operations, NULL);
}
