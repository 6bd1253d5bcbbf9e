#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cmath>

// How the library files' rating scales meet the transfer's 0-100, stated once for the files.
//   Stars (Rhythmbox, 0-5):    stars x 20 = 0-100. A fractional star count (Rhythmbox keeps
//                              what a D-Bus client sent) rounds to the nearest whole star,
//                              so it reads as a multiple of 20; 0-100 writes as rating / 20.
//   Fraction (Strawberry):     0.0-1.0 <-> 0-100. Strawberry's "unrated" is -1 (any value
//                              below 0): it reads as 0, and 0 writes back as -1.
namespace FileRatingScale
{

constexpr int maximum = 100;
constexpr int perStar = 20;
constexpr int maxStars = maximum / perStar;
constexpr double unratedFraction = -1.0;

inline int fromStars(double stars)
{
    if (!std::isfinite(stars))
        return 0;
    return int(std::clamp<long long>(std::llround(stars), 0, maxStars)) * perStar;
}

inline double toStars(int rating)
{
    return double(std::clamp(rating, 0, maximum)) / perStar;
}

inline int fromFraction(double fraction)
{
    if (!std::isfinite(fraction) || fraction < 0)
        return 0;
    return int(std::clamp<long long>(std::llround(fraction * maximum), 0, maximum));
}

inline double toFraction(int rating)
{
    return rating <= 0 ? unratedFraction : double(std::min(rating, maximum)) / maximum;
}

} // namespace FileRatingScale
