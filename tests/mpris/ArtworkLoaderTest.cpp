#include "player/mpris/ArtworkLoader.h"
#include "player/mpris/RemoteArtwork.h"

#include "platform/screen/ModuleLoader.h"

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
    for (const char* url : { "data:image/png;base64,!!not base64!!", "data:no comma", "ftp://example.invalid/c.jpg" })
        EXPECT_TRUE(ArtworkLoader::load(url).isEmpty()) << url;
}

// Answers every connection with one canned HTTP response.
class OneShotHttpServer : public QTcpServer
{
public:
    explicit OneShotHttpServer(const QByteArray& body)
    {
        connect(this, &QTcpServer::newConnection, this, [this, body] {
            QTcpSocket* socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [socket, body] {
                socket->readAll();
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: "
                    + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
        });
        listen(QHostAddress::LocalHost);
    }
};

QString coverUrl(const QTcpServer& server)
{
    return QStringLiteral("http://127.0.0.1:%1/cover.jpg").arg(server.serverPort());
}

// An http(s) cover comes in the background: asking returns at once, and arrived() follows.
TEST(RemoteArtwork, ACoverComesLaterAndADeadServerGivesNothing)
{
    const QByteArray jpeg("\xFF\xD8\xFF\xE0 body", 9);
    OneShotHttpServer server(jpeg);
    QTcpServer silent;
    ASSERT_TRUE(server.isListening() && silent.listen(QHostAddress::LocalHost));
    RemoteArtwork remote(ModuleLoader::folders(QStringLiteral(BOLVIN_PROGRAM_DIR)));
    remote.setTimeout(200);
    QSignalSpy arrived(&remote, &RemoteArtwork::arrived);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(remote.take(coverUrl(server)));
    EXPECT_LT(clock.elapsed(), 100) << "asking waits for nothing";
    ASSERT_TRUE(arrived.wait(3000));
    EXPECT_EQ(remote.take(coverUrl(server)), jpeg);

    EXPECT_FALSE(remote.take(coverUrl(silent)));
    ASSERT_TRUE(arrived.wait(3000));
    EXPECT_EQ(arrived.last().at(0).toString(), coverUrl(silent));
    EXPECT_EQ(remote.take(coverUrl(silent)), QByteArray());

    RemoteArtwork withoutModule(QStringList { QStringLiteral("/nonexistent") });
    EXPECT_EQ(withoutModule.take(coverUrl(server)), QByteArray()) << "no module, no remote cover, no wait";
}

} // namespace
