#include "bench/customer_database.h"

#include <cstdio>
#include <string>

namespace bench {

namespace {

void WriteHeader(std::FILE* out) {
  std::fprintf(out,
               "<?xml version='1.0' encoding='utf-8'?>\n<!DOCTYPE database SYSTEM 'xmlschemas/domino_9_0_1.dtd'>\n"
               "<database xmlns='http://www.lotus.com/dxl' version='9.0' title='顧客台帳' path='customers.nsf'>\n"
               "<view name='%s'><noteinfo noteid='10a'/>\n"
               "<column itemname='顧客番号'><columnheader title='番号'/></column>\n"
               "<column itemname='会社名'><columnheader title='会社名'/></column>\n"
               "<column itemname='担当者'><columnheader title='担当者'/></column>\n"
               "<column itemname='電話'><columnheader title='電話'/></column>\n"
               "<column itemname='備考'><columnheader title='備考'/></column></view>\n",
               kCustomerView);
}

}  // namespace

void WriteCustomerDatabase(const std::filesystem::path& path, unsigned documents, bool byStaffView) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  WriteHeader(out);
  if (byStaffView)
    std::fprintf(out,
                 "<view name='%s'><noteinfo noteid='10e'/>\n"
                 "<column itemname='担当者' categorized='true' width='2'><columnheader title='担当者'/></column>\n"
                 "<column itemname='顧客番号' sort='descending'><columnheader title='番号'/></column>\n"
                 "<column itemname='会社名' width='30'><columnheader title='会社名'/></column></view>\n",
                 kByStaffView);
  static const char* const kStaff[] = {"佐藤 花子", "鈴木 一郎", "高橋 健", "田中 美咲", "伊藤 翔"};
  for (unsigned n = 1; n <= documents; ++n) {
    std::fprintf(out,
                 "<document form='顧客'>\n<noteinfo noteid='%x' unid='0A1B2C3D4E5F6071%016X' sequence='2'>\n"
                 "<created><datetime>20260401T091500,00+09</datetime></created>\n"
                 "<modified><datetime>20261120T174502,31+09</datetime></modified></noteinfo>\n"
                 "<item name='顧客番号'><text>C-%08u</text></item>\n"
                 "<item name='会社名'><text>株式会社ソ表商事 第%u営業所</text></item>\n"
                 "<item name='担当者'><text>%s</text></item>\n"
                 "<item name='電話'><text>03-5555-%04u</text></item>\n"
                 "<item name='備考'><text>%s</text></item>\n</document>\n",
                 0x200 + n * 4, n, n, n % 1000, kStaff[n % 5], n % 10000,
                 n % 7 ? "納期: 4月10日, 分納可" : "\"至急\" 折り返し連絡");
  }
  std::fputs("</database>\n", out);
  std::fclose(out);
}

void WriteSmallCustomerDatabase(const std::filesystem::path& path, unsigned documents) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  WriteHeader(out);
  for (unsigned n = 1; n <= documents; ++n)
    std::fprintf(out,
                 "<document form='顧客'><noteinfo noteid='%x' unid='0A1B2C3D4E5F6071%016X'/>\n"
                 "<item name='顧客番号'><text>C-%08u</text></item>\n<item name='会社名'><text>ソ表商事 %u</text></item>\n"
                 "<item name='担当者'><text>佐藤</text></item>\n<item name='電話'><text>03-5555-%04u</text></item>\n"
                 "<item name='備考'><text>分納可</text></item></document>\n",
                 0x200 + n * 4, n, n, n % 1000, n % 10000);
  std::fputs("</database>\n", out);
  std::fclose(out);
}

unsigned char AttachmentByte(unsigned document, std::size_t index) {
  return static_cast<unsigned char>((index * 131 + document * 7 + (index >> 11)) & 0xFF);
}

void WriteAttachmentDatabase(const std::filesystem::path& path, unsigned documents, std::size_t attachmentBytes) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::FILE* out = std::fopen(path.c_str(), "wb");
  WriteHeader(out);
  std::string base64;
  for (unsigned n = 1; n <= documents; ++n) {
    base64.clear();
    for (std::size_t i = 0; i < attachmentBytes; i += 3) {
      const unsigned a = AttachmentByte(n, i), b = i + 1 < attachmentBytes ? AttachmentByte(n, i + 1) : 0,
                     c = i + 2 < attachmentBytes ? AttachmentByte(n, i + 2) : 0;
      const unsigned triple = a << 16 | b << 8 | c;
      base64 += kAlphabet[triple >> 18 & 63];
      base64 += kAlphabet[triple >> 12 & 63];
      base64 += i + 1 < attachmentBytes ? kAlphabet[triple >> 6 & 63] : '=';
      base64 += i + 2 < attachmentBytes ? kAlphabet[triple & 63] : '=';
    }
    std::fprintf(out,
                 "<document form='顧客'><noteinfo noteid='%x' unid='0A1B2C3D4E5F6071%016X'/>\n"
                 "<item name='顧客番号'><text>C-%08u</text></item>\n<item name='会社名'><text>ソ表商事 %u</text></item>\n"
                 "<item name='$FILE' summary='true'><object><file hosttype='msdos' name='明細%u.bin'><filedata>",
                 0x200 + n * 4, n, n, n % 1000, n);
    std::fwrite(base64.data(), 1, base64.size(), out);
    std::fputs("</filedata></file></object></item></document>\n", out);
  }
  std::fputs("</database>\n", out);
  std::fclose(out);
}

}  // namespace bench
