#include "JukeboxWindow.h"

#include "ElidedLabel.h"
#include "StarRating.h"

#include "player/PlayerError.h"
#include "player/RatingScale.h"
#include "player/simulated/SimulatedPlayer.h"
#include "player/simulated/SimulatedPlayerBackend.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{

constexpr int kCoverSize = 72;
constexpr int kButtonIconSize = 28;
constexpr int kFullWidth = 800;
constexpr int kFullHeight = 520;
constexpr int kMiniWidth = 480;
constexpr int kSpacing = 12;
constexpr double kTitleScale = 1.3;
constexpr double kNoteScale = 2.5;
constexpr int kLineSpacing = 2;
constexpr int kStarsGap = 4;
constexpr int kArtistAlbumWidth = 180;
// Room around a column's widest text, for the cell's own margins.
constexpr int kColumnPadding = 24;
const QString kNoteGlyph = QStringLiteral("\u266A");

QToolButton* mediaButton(QStyle::StandardPixmap icon, const QString& tip, const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setIconSize(QSize(kButtonIconSize, kButtonIconSize));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setAutoRaise(true);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

} // namespace

JukeboxWindow::JukeboxWindow(SimulatedPlayerBackend& backend, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_backend(backend)
{
    setWindowTitle(QString::fromLatin1(SimulatedPlayer::kName));
    buildLayout();
    resize(kFullWidth, kFullHeight);
    m_backend.setPlayerStarted([this](const std::shared_ptr<SimulatedPlayer>& player) { attach(player); });
    attach(m_backend.player());
}

JukeboxWindow::~JukeboxWindow()
{
    m_backend.setPlayerStarted({});
}

void JukeboxWindow::buildLayout()
{
    m_cover = new QLabel(this);
    m_cover->setFixedSize(kCoverSize, kCoverSize);
    m_cover->setAlignment(Qt::AlignCenter);
    m_cover->setFrameShape(QFrame::StyledPanel);
    QFont noteFont = m_cover->font();
    noteFont.setPointSizeF(noteFont.pointSizeF() * kNoteScale);
    m_cover->setFont(noteFont);

    m_title = new ElidedLabel(this);
    m_title->setObjectName(QStringLiteral("title"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * kTitleScale);
    m_title->setFont(titleFont);
    m_details = new ElidedLabel(this);
    m_details->setObjectName(QStringLiteral("details"));
    m_rating = new StarRating(this);
    m_rating->setObjectName(QStringLiteral("rating"));
    m_rating->setToolTip(tr("Rate the current track; a click on its rating clears it"));
    connect(m_rating, &StarRating::starsPicked, this, &JukeboxWindow::rate);

    auto* text = new QVBoxLayout;
    text->setSpacing(kLineSpacing);
    text->addStretch();
    text->addWidget(m_title);
    text->addWidget(m_details);
    text->addSpacing(kStarsGap);
    // Aligned, so that the fixed stars do not hold the titles to their width.
    text->addWidget(m_rating, 0, Qt::AlignLeft);
    text->addStretch();

    m_previous = mediaButton(QStyle::SP_MediaSkipBackward, tr("Previous"), QStringLiteral("previous"), this);
    m_playPause = mediaButton(QStyle::SP_MediaPlay, tr("Play"), QStringLiteral("playPause"), this);
    m_next = mediaButton(QStyle::SP_MediaSkipForward, tr("Next"), QStringLiteral("next"), this);
    connect(
        m_previous, &QToolButton::clicked, this, [this] { onPlayer([](SimulatedPlayer& p) { p.PreviousTrack(); }); });
    connect(m_next, &QToolButton::clicked, this, [this] { onPlayer([](SimulatedPlayer& p) { p.NextTrack(); }); });
    connect(m_playPause, &QToolButton::clicked, this, [this] {
        onPlayer([](SimulatedPlayer& p) { p.PlayerState() == SimulatedPlayer::Playing ? p.Pause() : p.Play(); });
    });

    auto* top = new QHBoxLayout;
    top->setSpacing(kSpacing);
    top->addWidget(m_cover);
    top->addLayout(text, 1);
    top->addWidget(m_previous);
    top->addWidget(m_playPause);
    top->addWidget(m_next);

    m_tracks = new QTableView(this);
    m_tracks->setObjectName(QStringLiteral("tracks"));
    m_tracks->setModel(&m_model);
    m_tracks->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tracks->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tracks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tracks->setAlternatingRowColors(true);
    m_tracks->setShowGrid(false);
    m_tracks->setWordWrap(false);
    m_tracks->verticalHeader()->hide();
    // Fixed rows: a library of any size lays out without measuring every row.
    m_tracks->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tracks->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + kSpacing / 2);
    QHeaderView* header = m_tracks->horizontalHeader();
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(JukeboxTrackModel::Name, QHeaderView::Stretch);
    header->resizeSection(JukeboxTrackModel::Artist, kArtistAlbumWidth);
    header->resizeSection(JukeboxTrackModel::Album, kArtistAlbumWidth);
    header->resizeSection(
        JukeboxTrackModel::Time, fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) + kColumnPadding);
    header->resizeSection(JukeboxTrackModel::Plays, fontMetrics().horizontalAdvance(tr("Plays")) + kColumnPadding);
    header->resizeSection(JukeboxTrackModel::Rating,
        fontMetrics().horizontalAdvance(JukeboxTrackModel::starsText(RatingScale::kMaximum)) + kColumnPadding);
    connect(m_tracks, &QTableView::activated, this,
        [this](const QModelIndex& index) { onPlayer([&](SimulatedPlayer& p) { p.playLibraryAt(index.row()); }); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kSpacing, kSpacing, kSpacing, kSpacing);
    layout->setSpacing(kSpacing);
    layout->addLayout(top);
    layout->addWidget(m_tracks, 1);
    // The list, not the stars, takes the keys when the window first shows.
    m_tracks->setFocus();
}

void JukeboxWindow::attach(const std::shared_ptr<SimulatedPlayer>& player)
{
    detach();
    if (!player)
        return;
    m_player = player.get();
    m_playerWindow = player->browserWindow();
    m_model.setPlayer(player.get());
    connect(player.get(), &SimulatedPlayer::currentTrackChanged, this, &JukeboxWindow::showTrack);
    connect(player.get(), &SimulatedPlayer::playingChanged, this, &JukeboxWindow::showPlaying);
    connect(player.get(), &SimulatedPlayer::trackChanged, this, &JukeboxWindow::trackChanged);
    connect(player.get(), &SimulatedPlayer::OnAboutToPromptUserToQuitEvent, this, &JukeboxWindow::detach);
    connect(player.get(), &SimulatedPlayer::libraryReloaded, this, [this] {
        m_model.setPlayer(m_player);
        showTrack(m_player->currentTrackIndex());
    });
    connect(m_playerWindow.get(), &SimulatedWindow::visibleSet, this, &JukeboxWindow::obeyVisible);
    connect(m_playerWindow.get(), &SimulatedWindow::minimizedSet, this, &JukeboxWindow::obeyMinimized);
    connect(m_playerWindow.get(), &SimulatedWindow::miniPlayerSet, this, &JukeboxWindow::setMiniPlayer);
    connect(m_playerWindow.get(), &SimulatedWindow::maximizedSet, this, [this](bool maximized) {
        // The full window is as large as this player's window gets.
        if (maximized) {
            setMiniPlayer(false);
            obeyMinimized(false);
        }
    });
    showTrack(player->currentTrackIndex());
}

void JukeboxWindow::detach()
{
    if (m_player)
        disconnect(m_player, nullptr, this, nullptr);
    if (m_playerWindow)
        disconnect(m_playerWindow.get(), nullptr, this, nullptr);
    m_player = nullptr;
    m_playerWindow.reset();
    m_model.setPlayer(nullptr);
    showTrack(-1);
}

void JukeboxWindow::showTrack(int track)
{
    m_current = track;
    const bool playing = m_player && m_player->isRunning() && m_player->PlayerState() == SimulatedPlayer::Playing;
    m_model.setCurrent(track, playing);
    showPlaying(playing);
    m_previous->setEnabled(m_player != nullptr);
    m_playPause->setEnabled(m_player != nullptr);
    m_next->setEnabled(m_player != nullptr);
    m_rating->setEnabled(track >= 0);
    if (track < 0) {
        m_title->setText(m_player ? tr("Nothing is playing") : tr("%1 is not running").arg(windowTitle()));
        m_details->setText(QString());
        m_cover->setText(kNoteGlyph);
        m_rating->setStars(0);
        m_tracks->clearSelection();
        return;
    }
    const LibraryTrack& current = m_player->library().tracks().at(std::size_t(track));
    m_title->setText(current.name);
    QStringList details;
    for (const QString& part : { current.artist, current.album }) {
        if (!part.isEmpty())
            details << part;
    }
    m_details->setText(details.join(QStringLiteral(" \u2014 ")));
    const QPixmap cover(current.artworkFile);
    if (cover.isNull()) {
        m_cover->setText(kNoteGlyph);
    } else {
        const qreal ratio = devicePixelRatioF();
        QPixmap scaled
            = cover.scaled(QSize(kCoverSize, kCoverSize) * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
        m_cover->setPixmap(scaled);
    }
    showRating();
    const int row = m_model.rowOf(track);
    if (row >= 0) {
        m_tracks->selectRow(row);
        m_tracks->scrollTo(m_model.index(row, 0));
    }
}

void JukeboxWindow::showPlaying(bool playing)
{
    m_playPause->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    m_playPause->setToolTip(playing ? tr("Pause") : tr("Play"));
    m_playPause->setAccessibleName(m_playPause->toolTip());
    m_model.setCurrent(m_current, playing);
}

void JukeboxWindow::showRating()
{
    const int rating = m_player->library().tracks().at(std::size_t(m_current)).rating;
    m_rating->setStars(rating % RatingScale::kStarStep == 0 ? rating / RatingScale::kStarStep : 0);
}

void JukeboxWindow::trackChanged(int track)
{
    m_model.trackChanged(track);
    if (track == m_current && m_current >= 0)
        showRating();
}

void JukeboxWindow::rate(int stars)
{
    onPlayer([stars](SimulatedPlayer& p) { p.CurrentTrack()->SetRating(stars * RatingScale::kStarStep); });
    // A refused rating shows what the track still holds.
    if (m_player && m_current >= 0)
        showRating();
}

void JukeboxWindow::onPlayer(const std::function<void(SimulatedPlayer&)>& action)
{
    if (!m_player)
        return;
    try {
        action(*m_player);
    } catch (const PlayerError&) {
        // Only a player that has quit refuses these, and its window is about to go.
    }
}

void JukeboxWindow::setMiniPlayer(bool miniPlayer)
{
    if (miniPlayer == m_miniPlayer) {
        if (miniPlayer)
            bringToFront();
        return;
    }
    m_miniPlayer = miniPlayer;
    if (miniPlayer) {
        m_fullSize = size();
        m_tracks->hide();
        const int height = layout()->totalMinimumSize().height();
        setFixedHeight(height);
        resize(kMiniWidth, height);
        bringToFront();
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
        m_tracks->show();
        resize(m_fullSize);
    }
}

void JukeboxWindow::obeyVisible(bool visible)
{
    if (visible)
        bringToFront();
    else
        hide();
}

void JukeboxWindow::obeyMinimized(bool minimized)
{
    if (minimized)
        showMinimized();
    else if (isVisible())
        setWindowState(windowState() & ~Qt::WindowMinimized);
}

void JukeboxWindow::bringToFront()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}
