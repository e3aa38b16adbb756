// Failing files and streams: every failure names the file or stream, a failed save keeps the
// previous file, and a failed read keeps the symbols.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>

#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

namespace fs = std::filesystem;

class FaultsTest : public InterpreterTest {
protected:
    void SetUp() override {
        folder_ = fs::path(::testing::TempDir()) / ("tolvex_faults_" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        Run("x = 1; s = 'It''s'; f(a) := a * x");
    }
    void TearDown() override {
        fs::permissions(folder_, fs::perms::owner_all);
        fs::remove_all(folder_);
    }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    static std::string Slurp(const std::string& path) {
        std::ostringstream s;
        s << std::ifstream(path, std::ios::binary).rdbuf();
        return s.str();
    }
    static void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    // The names in the test folder: a failed save leaves no temporary file behind.
    std::string Listing() const {
        std::string names;
        for (const auto& entry : fs::directory_iterator(folder_)) names += entry.path().filename().string() + " ";
        return names;
    }

    // Runs `action` without the privileges of root (who may write anywhere) in a child process
    // and returns its message; as another user it runs here.
    static std::string Unprivileged(const std::function<std::string()>& action) {
        if (::geteuid() != 0) return action();
        int pipe[2];
        if (::pipe(pipe) != 0) return "pipe failed";
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipe[0]);
            std::string message = (::setgid(65534) == 0 && ::setuid(65534) == 0) ? action() : "setuid failed";
            (void)!::write(pipe[1], message.data(), message.size());
            ::_exit(0);
        }
        ::close(pipe[1]);
        std::string message;
        char buffer[512];
        for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) message.append(buffer, static_cast<std::size_t>(n));
        ::close(pipe[0]);
        ::waitpid(child, nullptr, 0);
        return message;
    }

    fs::path folder_;
};

TEST_F(FaultsTest, FailedSavesNameTheFileAndKeepThePreviousOne) {
    const std::string saved = interpreter.DumpStreamable();
    const std::string target = Path("symbols.txt");
    Write(target, "previous");
    const std::string missing = Path("missing/symbols.txt");
    const std::pair<std::string, std::string> cases[] = {
        {"/dev/full", "Cannot write file \"/dev/full\". No space left on device"},
        {target + "/", "Cannot create file \"" + target + "/\". Not a directory"},
        {folder_.string(), "Cannot create file \"" + folder_.string() + "\". Is a directory"},
        {missing, "Cannot create file \"" + missing + "\". No such file or directory"},
    };
    for (const auto& [path, expected] : cases) {
        const std::string name = path;  // a structured binding cannot be captured by Clang 14
        EXPECT_EQ(MessageOf([&] { interpreter.SaveSymbolsToFile(name); }), expected) << name;
        EXPECT_EQ(Slurp(target), "previous");
        EXPECT_EQ(Listing(), "symbols.txt ");
    }
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_EQ(interpreter.DumpStreamable(), saved);  // saving changes nothing
}

// Writing stops halfway (the process may write only 16 bytes): the previous file survives.
TEST_F(FaultsTest, DiskFullHalfwayKeepsThePreviousFile) {
    const std::string target = Path("full.txt");
    Write(target, "previous");
    struct rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 16;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::string message = MessageOf([&] { interpreter.SaveSymbolsToFile(target); });
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_EQ(message, "Cannot write file \"" + target + "\". File too large");
    EXPECT_EQ(Slurp(target), "previous");
    EXPECT_EQ(Listing(), "full.txt ");
}

// Saving through a symbolic link, relative or absolute, replaces the file it points to, also where
// that file does not exist yet, and keeps its permissions; a link into a missing folder fails and
// names the file. The link stays a link.
TEST_F(FaultsTest, SavesFollowLinksEvenDanglingOnes) {
    const std::string saved = interpreter.DumpStreamable();
    const struct {
        const char* link;
        std::string pointee;  // relative to the test folder unless absolute
        const char* written;  // the file that receives the text, or "" when the save fails
    } cases[] = {
        {"to_existing", "existing.txt", "existing.txt"},
        {"absolute", Path("real.txt"), "real.txt"},
        {"dangling", "new.txt", "new.txt"},
        {"chain", "dangling2", "chained.txt"},
        {"into_missing", "missing/folder/x.txt", ""},
    };
    const auto readWrite = fs::perms::owner_read | fs::perms::owner_write;
    Write(Path("existing.txt"), "previous");
    Write(Path("real.txt"), "previous");
    fs::permissions(Path("real.txt"), readWrite);
    fs::create_symlink("chained.txt", Path("dangling2"));
    for (const auto& c : cases) {
        const std::string link = Path(c.link);
        fs::create_symlink(c.pointee, link);
        const std::string message = MessageOf([&] { interpreter.SaveSymbolsToFile(link); });
        EXPECT_TRUE(fs::is_symlink(link)) << c.link;
        if (*c.written) {
            EXPECT_EQ(message, "(no error)") << c.link;
            EXPECT_EQ(Slurp(Path(c.written)), saved) << c.link;
        } else {
            EXPECT_EQ(message, "Cannot create file \"" + link + "\". No such file or directory") << c.link;
        }
    }
    EXPECT_EQ(fs::status(Path("real.txt")).permissions() & fs::perms::all, readWrite);
    EXPECT_EQ(Listing().find(".tmp"), std::string::npos) << Listing();
}

// A device or pipe, named or not, is read to its end: its size reads as 0, but it is not empty.
// The table is replaced only once the whole text was read.
TEST_F(FaultsTest, DevicesAndPipesLoadTheirWholeText) {
    const std::string fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        std::ofstream(fifo, std::ios::binary) << "y=2;\r\ng(b):=b+y";
        ::_exit(0);
    }
    interpreter.LoadSymbolsFromFile(fifo);
    ::waitpid(writer, nullptr, 0);
    EXPECT_EQ(interpreter.DumpStreamable(), "y=2;\r\ng(b):=b+y");
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const std::string text = "p=4;\r\nq(a):=a+p";
    ASSERT_EQ(::write(ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
    ::close(ends[1]);
    interpreter.LoadSymbolsFromFile("/dev/fd/" + std::to_string(ends[0]));
    ::close(ends[0]);
    EXPECT_EQ(interpreter.DumpStreamable(), text);
    interpreter.LoadSymbolsFromFile("/dev/null");
    EXPECT_EQ(interpreter.SymbolCount(), 0);
    Run("z = 3");
    TFileStream zero("/dev/zero", fmOpenRead);
    EXPECT_EQ(zero.Size(), -1);
}

TEST_F(FaultsTest, WithoutPermission) {
    const std::string readOnly = Path("read-only");
    fs::create_directories(readOnly);
    const std::string target = readOnly + "/symbols.txt";
    Write(target, "previous");
    const std::string secret = Path("secret.txt");
    Write(secret, "x=2");
    fs::permissions(secret, fs::perms::none);
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                  fs::perms::others_exec);
    fs::permissions(folder_, fs::perms::all);
    EXPECT_EQ(Unprivileged([&] { return MessageOf([&] { interpreter.SaveSymbolsToFile(target); }); }),
              "Cannot create file \"" + target + "\". Permission denied");
    EXPECT_EQ(Slurp(target), "previous");
    EXPECT_EQ(Unprivileged([&] {
                  const std::string message = MessageOf([&] { interpreter.LoadSymbolsFromFile(secret); });
                  return message + "|" + interpreter.DumpStreamable();
              }),
              "Cannot open file \"" + secret + "\". Permission denied|x=1;\r\ns='It''s';\r\nf(a):=a*x");
    fs::permissions(readOnly, fs::perms::owner_all);
}

// Nothing is cleared before the whole text was read; a truncated file loads up to the statement
// it breaks, and the message names the file and the statement.
TEST_F(FaultsTest, FailedLoadsNameTheFile) {
    const std::string saved = interpreter.DumpStreamable();
    const std::string missing = Path("missing.txt");
    const std::string folder = folder_.string();
    const std::pair<std::string, std::string> cases[] = {
        {missing, "Cannot open file \"" + missing + "\". No such file or directory"},
        {folder, "Cannot open file \"" + folder + "\". Is a directory"},
    };
    for (const auto& [path, expected] : cases) {
        const std::string name = path;  // a structured binding cannot be captured by Clang 14
        EXPECT_EQ(MessageOf([&] { interpreter.LoadSymbolsFromFile(name); }), expected);
        EXPECT_EQ(MessageOf([&] { interpreter.ExecuteFromFile(name); }), expected);
        EXPECT_EQ(interpreter.DumpStreamable(), saved);
    }
    const std::string truncated = Path("truncated.txt");
    Write(truncated, saved.substr(0, saved.find("It")));
    EXPECT_EQ(FullMessageOf([&] { interpreter.LoadSymbolsFromFile(truncated); }),
              "ParseString() Unclosed string starting at position: 5. Loading file \"" + truncated + "\", statement 2.");
    EXPECT_EQ(interpreter.DumpStreamable(), "x=1");
}

// A stream that breaks off halfway, one whose reads fail, and one too large to hold.
TEST_F(FaultsTest, FailingStreams) {
    class Broken : public TMemoryStream {
    public:
        Broken(std::int64_t claimed, bool throws) : claimed_(claimed), throws_(throws) { SetData("y=2;\r\nz=3"); }
        std::int64_t Size() override { return claimed_; }
        std::int64_t Read(void* buffer, std::int64_t count) override {
            if (throws_) throw EReadError("Device gone");
            return TMemoryStream::Read(buffer, count);
        }
        std::string Name() const override { return "broken stream"; }

    private:
        std::int64_t claimed_;
        bool throws_;
    };
    const std::string saved = interpreter.DumpStreamable();
    Broken halfway(20, false), failing(9, true), huge(std::int64_t{1} << 40, false);
    EXPECT_EQ(MessageOf([&] { interpreter.LoadSymbolsFromStream(halfway); }),
              "Stream read error: 9 of 20 bytes read from broken stream.");
    EXPECT_EQ(MessageOf([&] { interpreter.LoadSymbolsFromStream(failing); }), "Device gone");
    EXPECT_EQ(MessageOf([&] { interpreter.ExecuteFromStream(huge); }),
              "TMathInterpreter.ReadText() Text of 1099511627776 bytes in broken stream exceeds the maximum text "
              "length of 268435456 bytes.");
    EXPECT_EQ(interpreter.DumpStreamable(), saved);

    class HalfWriter : public TMemoryStream {
    public:
        std::int64_t Write(const void* buffer, std::int64_t count) override {
            return TMemoryStream::Write(buffer, count / 2);
        }
    } writer;
    EXPECT_EQ(MessageOf([&] { interpreter.SaveSymbolsToStream(writer); }),
              "Stream write error: " + std::to_string(saved.size() / 2) + " of " + std::to_string(saved.size()) +
                  " bytes written to memory stream.");
}

}  // namespace
}  // namespace tolvex::test
