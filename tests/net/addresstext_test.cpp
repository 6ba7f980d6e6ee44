// Address texts and the socket binding's name service.
#include "net/addresstext.h"
#include "net/socketlibrary.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace bralvo::net {
namespace {

TEST(IsIPv4Text, AcceptsFourDecimalPartsUpTo255)
{
    struct Case { const char *text; bool valid; };
    for (const Case &c : {Case{"127.0.0.1", true}, Case{"255.255.255.255", true},
                          Case{"010.001.000.009", true}, Case{" 10 . 0.0.1", true},
                          Case{"256.0.0.1", false}, Case{"1.2.3", false},
                          Case{"1.2.3.4.5", false}, Case{"1.-2.3.4", false}, Case{"", false},
                          Case{"1..3.4", false}, Case{"0x7f.0.0.1", false},
                          Case{"+1.2.3.4", false}, Case{"1.2.3.4294967296", false},
                          Case{"1.2.3.99999999999999999999", false}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsIPv4Text(c.text), c.valid);
    }
}

TEST(IsIPv6Text, FollowsTheGroupAndGapRules)
{
    struct Case { const char *text; bool valid; };
    for (const Case &c : {Case{"::", true}, Case{"::1", true},
                          Case{"2001:db8:0:0:1:0:0:1", true}, Case{"fe80::1%4", true},
                          Case{"1:2:3", true}, Case{"FFFF::abcd", true},
                          Case{"1:2:3:4:5:6:7:8:9", false}, Case{"1::2::3", false},
                          Case{"1::", false}, Case{"::ffff:1.2.3.4", false},
                          Case{"fe80::1%eth0", false}, Case{"12345::1", false},
                          Case{"abc", false}, Case{"", false}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsIPv6Text(c.text), c.valid);
    }
}

TEST(IPv4TextToBytes, GivesFourBytesFirstPartFirst)
{
    EXPECT_EQ(IPv4TextToBytes("192.168.1.254"), QByteArray("\xC0\xA8\x01\xFE", 4));
    EXPECT_EQ(IPv4TextToBytes("0.0.0.1"), QByteArray("\x00\x00\x00\x01", 4));
}

TEST(IPv6TextToBytes, PlacesTheGroupsAroundTheGap)
{
    struct Case { const char *text; QByteArray bytes; };
    const QByteArray zeros(16, '\0');
    for (const Case &c :
         {Case{"1:2::7:8", QByteArray::fromHex("00010002000000000000000000070008")},
          Case{"::", zeros}, Case{"::1", QByteArray::fromHex("00000000000000000000000000000001")},
          Case{"2001:db8::", QByteArray::fromHex("20010db8000000000000000000000000")},
          Case{"12345::1", zeros},
          Case{"fe80:0:0:0:0:0:0:abcd", QByteArray::fromHex("fe8000000000000000000000" "0000abcd")}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IPv6TextToBytes(c.text).toHex(), c.bytes.toHex());
    }
}

TEST(IPv6BytesToText, CompressesTheFirstLongestZeroRun)
{
    struct Case { QByteArray bytes; const char *text; };
    for (const Case &c :
         {Case{QByteArray::fromHex("00000000000000000000000000000001"), "::1"},
          Case{QByteArray(16, '\0'), "::0"},
          Case{QByteArray::fromHex("00010002000000040005000600070008"), "1:2::4:5:6:7:8"},
          Case{QByteArray::fromHex("00010000000000040005000000000008"), "1::4:5:0:0:8"},
          Case{QByteArray::fromHex("20010DB8000000000000000000000000"), "2001:db8::"},
          Case{QByteArray::fromHex("FE80000000000000ABCD00000000EF01"), "fe80::abcd:0:0:ef01"}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IPv6BytesToText(c.bytes), QByteArray(c.text));
    }
}

TEST(SocketLibrary, LoadsNestAndUnloadNeverGoesBelowZero)
{
    const int before = SocketLibraryLoadCount();
    EXPECT_TRUE(LoadSocketLibrary());
    EXPECT_TRUE(LoadSocketLibrary(QStringLiteral("ws2_32.dll")));
    EXPECT_TRUE(UnloadSocketLibrary());
    EXPECT_EQ(SocketLibraryLoadCount(), before + 1);
    EXPECT_TRUE(UnloadSocketLibrary());
    while (SocketLibraryLoadCount() > 0)
        UnloadSocketLibrary();
    EXPECT_TRUE(UnloadSocketLibrary());
    EXPECT_EQ(SocketLibraryLoadCount(), 0);
    for (int i = 0; i < before; ++i)
        LoadSocketLibrary();
    EXPECT_TRUE(UsesAddrInfoApi(kFamilyIPv6));
}

TEST(SocketLibrary, NameServiceAnswers)
{
    EXPECT_EQ(ListAddressesOfName("localhost", kFamilyIPv4, kProtocolTcp, kKindStream),
              QByteArrayList{"127.0.0.1"});
    EXPECT_EQ(ListAddressesOfName("name.that.does.not.resolve.invalid", kFamilyIPv4,
                                  kProtocolTcp, kKindStream),
              QByteArrayList{"0.0.0.0"});
    EXPECT_EQ(PortNumberOf("smtp", kFamilyUnspecified, kProtocolTcp, kKindStream), 25);
    EXPECT_EQ(PortNumberOf("8025", kFamilyUnspecified, kProtocolTcp, kKindStream), 8025);
    EXPECT_EQ(PortNumberOf("no-such-service", kFamilyUnspecified, kProtocolTcp, kKindStream), 0);

    SocketAddress record;
    EXPECT_EQ(FillAddressRecord(record, "localhost", "smtp", kFamilyUnspecified, kProtocolTcp,
                                kKindStream, true), 0);
    EXPECT_EQ(AddressRecordIP(record), "127.0.0.1");
    EXPECT_EQ(AddressRecordPort(record), 25);
    EXPECT_EQ(SocketAddressSize(record), socklen_t(sizeof(sockaddr_in)));
    EXPECT_EQ(FillAddressRecord(record, "0.0.0.0", "0", kFamilyIPv4, kProtocolTcp, kKindStream,
                                true), 0);
    EXPECT_EQ(AddressRecordIP(record), "0.0.0.0");
    EXPECT_EQ(FillAddressRecord(record, "name.that.does.not.resolve.invalid", "25", kFamilyIPv4,
                                kProtocolTcp, kKindStream, true), 11001);
}

// Writes text into a /proc file of the process; false when refused.
bool writeProcFile(const char *path, const std::string &text)
{
    const int fd = ::open(path, O_WRONLY);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    ::close(fd);
    return written;
}

// Runs check in a child that sees an empty /etc/services (a private mount
// namespace); its exit code, or 100 + step when the namespace failed.
int withoutServicesFile(int (*check)())
{
    const pid_t child = ::fork();
    if (child == 0) {
        const uid_t uid = ::getuid();
        const gid_t gid = ::getgid();
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            ::_exit(101);
        writeProcFile("/proc/self/setgroups", "deny");
        if (!writeProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1")
            || !writeProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
            ::_exit(102);
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("/dev/null", "/etc/services", nullptr, MS_BIND, nullptr) != 0)
            ::_exit(103);
        ::_exit(check());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200;
}

// "smtp" came only from /etc/services, which a minimal system lacks: the
// default SMTP port then resolved to nothing.
TEST(SocketLibrary, WellKnownServicesResolveWithoutTheServicesFile)
{
    const int result = withoutServicesFile([] {
        SocketAddress record;
        const bool found = PortNumberOf("smtp", kFamilyUnspecified, kProtocolTcp, kKindStream) == 25
                        && PortNumberOf("HTTPS", kFamilyUnspecified, kProtocolTcp, kKindStream) == 443
                        && PortNumberOf("socks", kFamilyUnspecified, kProtocolTcp, kKindStream) == 1080
                        && FillAddressRecord(record, "127.0.0.1", "smtp", kFamilyIPv4, kProtocolTcp, kKindStream,
                                             true) == 0
                        && AddressRecordPort(record) == 25
                        && PortNumberOf("no-such-service", kFamilyUnspecified, kProtocolTcp, kKindStream) == 0;
        return found ? 0 : 1;
    });
    EXPECT_EQ(result, 0);
}

} // namespace
} // namespace bralvo::net
