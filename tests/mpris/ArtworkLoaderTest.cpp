#include "player/mpris/ArtworkLoader.h"
#include "player/mpris/RemoteArtwork.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

namespace
{

TEST(ArtworkLoader, DataUrlsDecodeAndAnythingElseNotLocalGivesNothing)
{
    EXPECT_EQ(ArtworkLoader::load("data:image/png;base64,iVBORw0KGgo="), QByteArray("\x89PNG\r\n\x1A\n"));
    EXPECT_EQ(ArtworkLoader::load("data:,A%20B"), QByteArray("A B"));
    for (const char* url : { "data:image/png;base64,!!not base64!!", "data:no comma", "ftp://example.invalid/c.jpg", "",
             "file:///no/such/file.png" })
        EXPECT_TRUE(ArtworkLoader::load(url).isEmpty()) << url;
}

// Answers every connection with one canned HTTP response, or not at all.
class OneShotHttpServer : public QTcpServer
{
public:
    explicit OneShotHttpServer(QByteArray body, bool silent = false)
        : m_body(std::move(body))
        , m_silent(silent)
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                socket->readAll();
                if (m_silent)
                    return;
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: "
                    + QByteArray::number(m_body.size()) + "\r\nConnection: close\r\n\r\n" + m_body);
                socket->disconnectFromHost();
            });
        });
        listen(QHostAddress::LocalHost);
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/cover.jpg").arg(serverPort()); }

private:
    QByteArray m_body;
    bool m_silent;
};

// An http(s) cover comes in the background: asking returns at once, and the picture (or,
// from a server that never answers, nothing) follows with arrived().
TEST(RemoteArtwork, ACoverComesLaterAndADeadServerGivesNothing)
{
    const QByteArray jpeg("\xFF\xD8\xFF\xE0 body", 9);
    OneShotHttpServer server(jpeg);
    OneShotHttpServer silent(QByteArray(), true);
    ASSERT_TRUE(server.isListening() && silent.isListening());
    RemoteArtwork remote;
    remote.setTimeout(200);
    QSignalSpy arrived(&remote, &RemoteArtwork::arrived);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(remote.take(server.url()));
    EXPECT_LT(clock.elapsed(), 100) << "asking waits for nothing";
    ASSERT_TRUE(arrived.wait(3000));
    EXPECT_EQ(remote.take(server.url()), jpeg);

    EXPECT_FALSE(remote.take(silent.url()));
    ASSERT_TRUE(arrived.wait(3000));
    EXPECT_EQ(arrived.last().at(0).toString(), silent.url());
    EXPECT_EQ(remote.take(silent.url()), QByteArray());
}

} // namespace
