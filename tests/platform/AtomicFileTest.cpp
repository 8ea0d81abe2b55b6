#include "platform/AtomicFile.h"
#include "support/TestFiles.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>

#include <optional>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// What a file system may lack, and the error it answers with.
struct Refusal
{
    enum Call
    {
        Link,
        RenameNoReplace,
        ChangeMode
    } call;
    int code;
};

// Runs `action` on a thread of its own on which the system refuses these
// calls, as a file system without them does (the refusal ends with the
// thread). False, with nothing run, when the refusal cannot be set up.
bool withRefused(const std::vector<Refusal> &refusals, const std::function<void()> &action)
{
    std::vector<sock_filter> program{BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
    auto refuse = [&](long call, int code) {
        program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __u32(call), 0, 1));
        program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | __u32(code)));
    };
    std::optional<int> renameCode;
    for (const Refusal &r : refusals) {
        if (r.call == Refusal::Link) {
#ifdef SYS_link
            refuse(SYS_link, r.code);
#endif
            refuse(SYS_linkat, r.code);
        } else if (r.call == Refusal::ChangeMode) {
#ifdef SYS_chmod
            refuse(SYS_chmod, r.code);
#endif
            refuse(SYS_fchmod, r.code);
            refuse(SYS_fchmodat, r.code);
        } else {
            renameCode = r.code;
        }
    }
    if (renameCode) {
        // Only a rename that must not replace: a plain one may go the same way.
        constexpr __u32 flagsWord = offsetof(seccomp_data, args) + 4 * sizeof(__u64) +
                                    (__BYTE_ORDER__ == __ORDER_BIG_ENDIAN__ ? 4 : 0);
        program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __u32(SYS_renameat2), 0, 3));
        program.push_back(BPF_STMT(BPF_LD | BPF_W | BPF_ABS, flagsWord));
        program.push_back(BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, RENAME_NOREPLACE, 0, 1));
        program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | __u32(*renameCode)));
    }
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    const sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
    bool refused = false;
    std::thread thread([&] {
        refused = prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
                  prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
        if (refused)
            action();
    });
    thread.join();
    return refused;
}

class AtomicFileTest : public ::testing::Test
{
protected:
    QString file(const QString &name) const { return dir.path() + u'/' + name; }
    QStringList onDisk() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
    QTemporaryDir dir;
};

TEST_F(AtomicFileTest,
       WithoutHardLinksANewFileNeverReplacesOneAndWithoutModesAReplaceFailsOnlyIfTheModeWouldChange)
{
    // Without hard links (FAT, exFAT, network shares), and on FUSE file systems
    // without a rename that keeps what is there either.
    const std::vector<Refusal> systems[] = {
        {{Refusal::Link, EPERM}},
        {{Refusal::Link, EPERM}, {Refusal::RenameNoReplace, EINVAL}},
    };
    for (const std::vector<Refusal> &refused : systems) {
        SCOPED_TRACE(refused.size());
        writeBytes(file(u"taken.grf"_s), "OLD");
        ASSERT_TRUE(withRefused(refused, [&] {
            EXPECT_TRUE(writeNewFileAtomically(file(u"new.grf"_s), "NEW"));
            EXPECT_FALSE(writeNewFileAtomically(file(u"taken.grf"_s), "NEW"));
            EXPECT_EQ(writeRefusal(), u"File exists"_s);
        }));
        EXPECT_EQ(readBytes(file(u"new.grf"_s)), QByteArray("NEW"));
        EXPECT_EQ(readBytes(file(u"taken.grf"_s)), QByteArray("OLD"));
        EXPECT_EQ(onDisk(), QStringList({u"new.grf"_s, u"taken.grf"_s}));
        QFile::remove(file(u"new.grf"_s));
    }

    // The temporary copy of a replaced file starts with the mode 0600.
    writeBytes(file(u"same.grf"_s), "OLD");
    writeBytes(file(u"other.grf"_s), "OLD");
    ASSERT_EQ(::chmod(QFile::encodeName(file(u"same.grf"_s)).constData(), 0600), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(file(u"other.grf"_s)).constData(), 0644), 0);
    ASSERT_TRUE(withRefused({{Refusal::ChangeMode, ENOSYS}}, [&] {
        EXPECT_TRUE(writeFileAtomically(file(u"same.grf"_s), "NEW"));
        EXPECT_FALSE(writeFileAtomically(file(u"other.grf"_s), "NEW"));
        EXPECT_EQ(writeRefusal(), u"Function not implemented"_s);
    }));
    EXPECT_EQ(readBytes(file(u"same.grf"_s)), QByteArray("NEW"));
    EXPECT_EQ(readBytes(file(u"other.grf"_s)), QByteArray("OLD"));
    EXPECT_EQ(onDisk(), QStringList({u"other.grf"_s, u"same.grf"_s, u"taken.grf"_s}));
}

TEST_F(AtomicFileTest, TheLongestNamesAreWrittenAndTheirLeftoversRemoved)
{
    // 243 and 255 bytes; the second cut for the temporary name in the middle of a two-byte letter.
    const QString names[] = {QString(239, u'x') + u".ini"_s, u"a"_s + QString(125, u'ü') + u".ini"_s};
    for (const QString &name : names) {
        SCOPED_TRACE(name.toUtf8().size());
        // A copy that an interrupted write left, old enough to be nobody's.
        const QString leftover = AtomicFileDetail::temporaryBeside(file(name));
        writeBytes(leftover, "PART");
        makeOld(leftover);
        EXPECT_TRUE(writeNewFileAtomically(file(name), "NEW"));
        EXPECT_TRUE(writeFileAtomically(file(name), "NEWER"));
        EXPECT_EQ(readBytes(file(name)), QByteArray("NEWER"));
        EXPECT_EQ(onDisk(), QStringList{name});
        QFile::remove(file(name));
    }
}

} // namespace
