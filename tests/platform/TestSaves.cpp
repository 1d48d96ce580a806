#include "document/CQuillDoc.h"
#include "platform/CScriptedPrompts.h"
#include "platform/FileUtil.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// Saves must keep what the file system promises to an ordinary user, so
// these checks run without privileges: as "nobody" in a child process
// when the tests run as root, else as the user running them.
class Saves : public testing::Test
{
protected:
    void SetUp() override
    {
        if (::geteuid() == 0) {
            const passwd* user = ::getpwnam("nobody");
            if (!user)
                GTEST_SKIP() << "running as root and there is no unprivileged user \"nobody\" to save as";
            m_uid = user->pw_uid;
            m_gid = user->pw_gid;
            m_drop = true;
        } else {
            m_uid = ::geteuid();
            m_gid = ::getegid();
        }
        ASSERT_EQ(::chown(dir.Path().c_str(), m_uid, m_gid), 0);
    }

    void TearDown() override
    {
        // A folder the test made read-only must be emptied again.
        ::chmod(dir.Path().c_str(), 0755);
    }

    // Runs body as the unprivileged user; it returns "" or what went wrong.
    std::string AsUser(const std::function<std::string()>& body) const
    {
        if (!m_drop)
            return body();
        int fds[2];
        if (::pipe(fds) != 0)
            return "no pipe";
        const pid_t child = ::fork();
        if (child < 0)
            return "no fork";
        if (child == 0) {
            ::close(fds[0]);
            std::string result;
            if (::setgroups(0, nullptr) != 0 || ::setgid(m_gid) != 0 || ::setuid(m_uid) != 0)
                result = "cannot drop privileges";
            else
                result = body();
            ssize_t ignored = ::write(fds[1], result.data(), result.size());
            (void)ignored;
            ::_exit(0);
        }
        ::close(fds[1]);
        std::string result;
        char buffer[512];
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
            result.append(buffer, static_cast<std::size_t>(n));
        ::close(fds[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status))
            return "the child stopped: " + result;
        return result;
    }

    // A file of the user's, as the user would have it.
    std::string UserFile(const std::string& name, const std::string& bytes, mode_t mode) const
    {
        const std::string path = dir.Write(name, bytes);
        EXPECT_EQ(::chown(path.c_str(), m_uid, m_gid), 0);
        EXPECT_EQ(::chmod(path.c_str(), mode), 0);
        return path;
    }

    // Saves a one-file sheet to path through the document's Save; returns
    // the boxes it showed, one per line.
    static std::string Save(const std::string& path, bool& saved)
    {
        CScriptedPrompts prompts;
        CPromptsScope scope(prompts);
        CQuillDoc doc;
        doc.InsertFileByPath("/cd/NEW.WAV", nullptr);
        saved = doc.DoSave(path);
        std::string boxes;
        for (const std::string& line : prompts.Lines())
            boxes += line + "\n";
        return boxes;
    }

    static struct stat Stat(const std::string& path)
    {
        struct stat st {};
        ::stat(path.c_str(), &st);
        return st;
    }

    static bool OnlyFiles(const std::filesystem::path& folder, std::size_t count)
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                      std::filesystem::directory_iterator())) == count;
    }

    TempDir dir;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
    bool m_drop = false;
};

const std::string kOld = "FILE /cd/OLD.WAV WAVE\r\n";
const std::string kNew = "FILE /cd/NEW.WAV WAVE\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n";

TEST_F(Saves, NormalSaveReplacesAtomicallyAndKeepsPermissions)
{
    const std::string path = UserFile("sheet.cue", kOld, 0604);
    const ino_t before = Stat(path).st_ino;
    EXPECT_EQ(AsUser([&]() -> std::string {
                  bool saved = false;
                  const std::string boxes = Save(path, saved);
                  return saved ? boxes : "not saved: " + boxes;
              }),
              "");
    EXPECT_EQ(ReadFileBytes(path), kNew);
    EXPECT_NE(Stat(path).st_ino, before); // renamed over, not rewritten
    EXPECT_EQ(Stat(path).st_mode & 07777, 0604u);
    EXPECT_EQ(Stat(path).st_uid, m_uid);
    EXPECT_TRUE(OnlyFiles(dir.Path(), 1)); // no temporary file left
}

TEST_F(Saves, ReadOnlyTargetFailsUntouched)
{
    const std::string path = UserFile("sheet.cue", kOld, 0444);
    EXPECT_EQ(AsUser([&]() -> std::string {
                  bool saved = true;
                  const std::string boxes = Save(path, saved);
                  if (saved)
                      return "saved over a read-only file";
                  return boxes == "Error: Cannot save \"" + path + "\": Permission denied\n" ? "" : "boxes: " + boxes;
              }),
              "");
    EXPECT_EQ(ReadFileBytes(path), kOld);
    EXPECT_EQ(Stat(path).st_mode & 07777, 0444u);
    EXPECT_TRUE(OnlyFiles(dir.Path(), 1));
}

TEST_F(Saves, WritableFileInReadOnlyFolderIsWrittenInPlace)
{
    const std::string path = UserFile("sheet.cue", kOld + kOld + kOld, 0644);
    const ino_t before = Stat(path).st_ino;
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
    EXPECT_EQ(AsUser([&]() -> std::string {
                  bool saved = false;
                  const std::string boxes = Save(path, saved);
                  return saved ? boxes : "not saved: " + boxes;
              }),
              "");
    EXPECT_EQ(ReadFileBytes(path), kNew); // shorter than before: cut to size
    EXPECT_EQ(Stat(path).st_ino, before);
    EXPECT_TRUE(OnlyFiles(dir.Path(), 1));
}

TEST_F(Saves, NewFileInReadOnlyFolderFails)
{
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
    const std::string path = dir.File("new.cue");
    EXPECT_EQ(AsUser([&]() -> std::string {
                  bool saved = true;
                  const std::string boxes = Save(path, saved);
                  if (saved)
                      return "saved in a read-only folder";
                  return boxes == "Error: Cannot save \"" + path + "\": Permission denied\n" ? "" : "boxes: " + boxes;
              }),
              "");
    EXPECT_TRUE(OnlyFiles(dir.Path(), 0));
}

TEST_F(Saves, HardLinksSeeTheSavedText)
{
    const std::string path = UserFile("sheet.cue", kOld, 0644);
    const std::string other = dir.File("link.cue");
    ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
    EXPECT_EQ(AsUser([&]() -> std::string {
                  bool saved = false;
                  const std::string boxes = Save(path, saved);
                  return saved ? boxes : "not saved: " + boxes;
              }),
              "");
    EXPECT_EQ(ReadFileBytes(other), kNew);
    EXPECT_EQ(Stat(path).st_ino, Stat(other).st_ino);
    EXPECT_EQ(Stat(path).st_nlink, 2u);
}

TEST_F(Saves, AnotherUsersWritableFileKeepsItsOwner)
{
    if (!m_drop)
        GTEST_SKIP() << "needs a file of another user, which only root can make";
    const std::string path = dir.Write("sheet.cue", kOld); // root's
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    EXPECT_EQ(AsUser([&]() -> std::string {
                  bool saved = false;
                  const std::string boxes = Save(path, saved);
                  return saved ? boxes : "not saved: " + boxes;
              }),
              "");
    EXPECT_EQ(ReadFileBytes(path), kNew);
    EXPECT_EQ(Stat(path).st_uid, 0u);
    EXPECT_EQ(Stat(path).st_gid, 0u);
    EXPECT_EQ(Stat(path).st_mode & 07777, 0666u);
}

TEST_F(Saves, ExtendedAttributesAndAclsSurvive)
{
    const std::string path = UserFile("sheet.cue", kOld, 0640);
    if (::setxattr(path.c_str(), "user.origin", "ripper", 6, 0) != 0)
        GTEST_SKIP() << "the temporary folder's file system takes no extended attributes: " << std::strerror(errno);
    const std::string acl = "setfacl -m u:root:rw,g:root:r " + path + " 2>/dev/null";
    const bool hasAcl = std::system(acl.c_str()) == 0;
    const auto dump = [&] {
        std::string text;
        const std::string command = "getfacl -c " + path + " 2>/dev/null";
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[256];
            for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
                text.append(buffer, n);
            ::pclose(pipe);
        }
        return text;
    };
    const std::string aclBefore = dump();
    const mode_t modeBefore = Stat(path).st_mode & 07777;
    EXPECT_EQ(AsUser([&]() -> std::string {
                  bool saved = false;
                  const std::string boxes = Save(path, saved);
                  return saved ? boxes : "not saved: " + boxes;
              }),
              "");
    EXPECT_EQ(ReadFileBytes(path), kNew);
    char value[16] = {};
    EXPECT_EQ(::getxattr(path.c_str(), "user.origin", value, sizeof value), 6);
    EXPECT_STREQ(value, "ripper");
    if (hasAcl) {
        EXPECT_NE(aclBefore.find("user:root:rw-"), std::string::npos) << aclBefore;
        EXPECT_EQ(dump(), aclBefore);
    }
    EXPECT_EQ(Stat(path).st_mode & 07777, modeBefore); // with the ACL's mask
}

TEST_F(Saves, SymbolicLinkIsFollowed)
{
    const std::string path = UserFile("real.cue", kOld, 0644);
    const std::string link = dir.File("link.cue");
    ASSERT_EQ(::symlink(path.c_str(), link.c_str()), 0);
    EXPECT_EQ(AsUser([&]() -> std::string {
                  bool saved = false;
                  const std::string boxes = Save(link, saved);
                  return saved ? boxes : "not saved: " + boxes;
              }),
              "");
    EXPECT_EQ(ReadFileBytes(path), kNew);
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

} // namespace
