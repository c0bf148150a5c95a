#pragma once

#include "movie/Movie.h"

#include <QByteArray>
#include <QString>

namespace movie {

// Reads a whole movie file. On failure the movie is left unusable and error says why, in words
// fit for a log line ("the movie is cut short").
bool readMovie(const QByteArray& file, Movie& movie, QString& error);

} // namespace movie
