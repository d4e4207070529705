#pragma once
// The calibration certificate as a document: the core's text laid out as one A4 page, written as a
// PDF or sent to a printer the user picks.
#include <string>

#include "instrument/CalibrationCertificate.h"
#include "text/Types.h"

class QWidget;

namespace tz::ui {

std::string CertificateHtml(const CertificateText& text);
// Whole or nothing; false with the reason in `error`.
bool WriteCertificatePdf(const CertificateText& text, const std::string& path, std::string* error);
// Offers the print dialog and prints when the user accepts it.
void PrintCertificate(const CertificateText& text, QWidget* parent);
// "Calibration_SERIAL_YYYYMMDD-hhnnss.pdf", the serial number's characters that cannot stand in a
// file name replaced by "_".
std::string CertificateFileName(const std::string& serial, Date finished);

}  // namespace tz::ui
