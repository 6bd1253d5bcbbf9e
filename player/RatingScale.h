#pragma once

#include <algorithm>
#include <cmath>

// Bolvin's rating is 0 to 100, one star per 20. Each player keeps its own scale; every
// conversion between them is here and nowhere else.
namespace RatingScale
{
constexpr int kMaximum = 100;
constexpr int kStarStep = 20;
constexpr int kStarCount = 5;
constexpr double kMaximumStars = kStarCount;

// Stars x 20. A fractional star count (Rhythmbox keeps half stars) reads as the nearest
// whole star, so the menu always has a mark to show.
inline int fromStars(double stars)
{
    if (!std::isfinite(stars) || stars <= 0.0)
        return 0;
    return int(std::lround(std::min(stars, kMaximumStars))) * kStarStep;
}

// Any rating, on the grid or not, clamped to 0..5 stars: a player storing what it is sent
// must never be sent more.
inline double toStars(int rating)
{
    return double(std::clamp(rating, 0, kMaximum)) / kStarStep;
}

// MPRIS's xesam:userRating (0..1) from any player: only a value exactly on a star step lands
// on a multiple of 20, so the stars shown never claim more than the player said.
inline int fromUserRating(double unit)
{
    constexpr double kExact = 1e-6;
    if (!std::isfinite(unit) || unit <= 0.0)
        return 0;
    if (unit >= 1.0)
        return kMaximum;
    const double percent = unit * kMaximum;
    const double step = std::round(percent / kStarStep) * kStarStep;
    if (std::abs(percent - step) < kExact)
        return int(step);
    // Off the grid: keep the value but never let rounding carry it onto a star step.
    int rounded = int(std::lround(percent));
    if (rounded % kStarStep == 0)
        rounded += percent < rounded ? -1 : 1;
    return rounded;
}

// A 0..1 fraction (Strawberry's Rating property and its database) x 100; anything at or
// below zero, Strawberry's -1 for "unrated" among them, reads as 0.
inline int fromUnit(double unit)
{
    if (!std::isfinite(unit) || unit <= 0.0)
        return 0;
    return int(std::lround(std::min(unit, 1.0) * kMaximum));
}

// 0 clears: Strawberry treats any value at or below zero as "no rating".
inline double toUnit(int rating)
{
    return double(std::clamp(rating, 0, kMaximum)) / kMaximum;
}

// Strawberry's database spells "unrated" -1, so 0 writes as -1.
inline double toUnitOrUnrated(int rating)
{
    constexpr double kUnrated = -1.0;
    return rating <= 0 ? kUnrated : toUnit(rating);
}
}
