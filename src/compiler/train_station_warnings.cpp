#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

#include "compiler/train_reading.h"
#include "format/station_meaning.h"

// Warnings about station records: values that the reader accepts but stores otherwise than
// written, and stations or timetable times out of running order. A station whose time is
// 0:00:00 has no timetabled time (the built-in timetable writes it for stations the train
// does not stop at), so only stations with a later time are compared.
namespace scenario {
namespace {

constexpr int seconds_per_minute = 60;

std::string clock_text(std::int32_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

constexpr int hours_per_day = 24;

bool is_time_of_day(const station_as_read& read) {
    return read.oro >= 0 && read.oro < hours_per_day && read.orm >= 0 &&
           read.orm < seconds_per_minute && read.ors >= 0 && read.ors < seconds_per_minute;
}

bool is_blank_text(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

// A station is known to the driver by its name: an empty one, or one that another station
// already has, is most likely a mistake.
void warn_about_name(train_reading& reading, const voce& station, const station_as_read& read,
                     const std::string& head) {
    if (is_blank_text(station.testo)) {
        reading.cursor.warn_at(warning_code::station_name, read.name_place,
                               head + ": the name is empty; give every station its name");
        return;
    }
    for (std::int32_t j = 1; j < reading.k; ++j) {
        const voce& other = reading.record.voci[static_cast<std::size_t>(j)];
        if (other.testo == station.testo) {
            reading.cursor.warn_at(
                warning_code::station_name, read.name_place,
                head + ": the name \"" + station.testo + "\" is the name of the station at " +
                    std::to_string(other.valore3) + " m too; give every station a name of its own");
            const record_origin& origin =
                reading.context.origins.entry(static_cast<std::size_t>(j));
            if (origin.known()) {
                reading.errors.relate_latest(reading.context.origins.point_of(origin),
                                             "the station with the same name");
            }
            return;
        }
    }
}

void warn_about_flags(train_reading& reading, const voce& station, const station_as_read& read,
                      const std::string& head) {
    const bool first = reading.k == 1;
    if (station.extra4 != 0 && (first || read.lung < shortest_station_with_tab)) {
        const std::string why = first ? "the first station keeps no tab flag"
                                      : "a station shorter than 600 m keeps no tab flag (this "
                                        "one is " +
                                            std::to_string(read.lung) + " m)";
        reading.cursor.warn_at(
            warning_code::station_flag, read.tab_place,
            head + ": tab " + std::to_string(station.extra4) + " is stored as 0: " + why);
    }
    if (station.extra3 != 0 && !keeps_station_mar(station.tipo)) {
        reading.cursor.warn_at(warning_code::station_flag, read.mar_place,
                               head + ": mar " + std::to_string(station.extra3) +
                                   " has no effect and is stored as 0: a station of type " +
                                   std::to_string(station.tipo) +
                                   " has no centred area for it to lengthen");
    } else if (station.extra3 != 0 && first) {
        reading.cursor.warn_at(warning_code::station_flag, read.mar_place,
                               head + ": mar " + std::to_string(station.extra3) +
                                   " lengthens the first station's area by 50 m but is stored "
                                   "as 0: the first station keeps no mar flag");
    }
}

void warn_about_time(train_reading& reading, const voce& station, const station_as_read& read,
                     const std::string& head) {
    if (!is_time_of_day(read)) {
        std::string message = head + ": the time " + std::to_string(read.oro) + ":" +
                              std::to_string(read.orm) + ":" + std::to_string(read.ors) +
                              " is not a time of day (hours 0 to 23, minutes and seconds 0 to "
                              "59); it is stored as " +
                              std::to_string(station.valore4) + " s";
        if (station.valore4 >= 0) {
            message += ", that is " + clock_text(station.valore4);
        }
        reading.cursor.warn_at(warning_code::station_time, read.time_place, std::move(message));
    }
    if (station.valore4 <= 0) {
        return;
    }
    if (reading.last_timed && station.valore4 < reading.last_timed->seconds) {
        const timed_station& last = *reading.last_timed;
        reading.cursor.warn_at(warning_code::timetable_order, read.time_place,
                               head + " (" + station.testo + "): its time " +
                                   clock_text(station.valore4) + " is earlier than " +
                                   clock_text(last.seconds) + " at the station at " +
                                   std::to_string(last.position) + " m (" + last.name +
                                   "); times run forward along the line (0:0:0 means no time)");
    }
    reading.last_timed = timed_station{station.valore4, read.pos, station.testo, read.time_place};
    reading.timetable.push_back(*reading.last_timed);
}

}  // namespace

void warn_about_station(train_reading& reading, const voce& station, const station_as_read& read) {
    const std::string head = keywords::stazione.the_phrase_at(read.pos);
    if (reading.k > 1) {
        const std::int32_t previous = reading.record.voci[reading.k - 1].valore3;
        if (read.pos < previous) {
            reading.cursor.warn_at(warning_code::station_order, read.pos_place,
                                   head + " comes after the station at " +
                                       std::to_string(previous) +
                                       " m: list the stations in increasing order of position");
        }
    }
    warn_about_flags(reading, station, read, head);
    warn_about_time(reading, station, read, head);
    warn_about_name(reading, station, read, head);
}

}  // namespace scenario
