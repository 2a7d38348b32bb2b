#pragma once
// Builds JPEG files for the reader's tests with libjpeg itself, in the kinds the program does not
// write: greyscale, progressive (with any scan script), CMYK with or without Adobe's marker,
// YCCK, and two-component files. Samples are given top-down, components interleaved.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

struct JpegRecipe {
  int width = 1;
  int height = 1;
  int components = 3;
  J_COLOR_SPACE inSpace = JCS_RGB;   // what the samples are
  J_COLOR_SPACE fileSpace = JCS_RGB;  // what the file stores (libjpeg converts)
  bool progressive = false;
  bool adobeMarker = true;  // only for CMYK and YCCK files
  std::vector<jpeg_scan_info> scans{};  // a scan script of its own, when not empty
};

inline std::vector<std::uint8_t> EncodeTestJpeg(const JpegRecipe& r, const std::vector<std::uint8_t>& samples) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = JDIMENSION(r.width);
  cinfo.image_height = JDIMENSION(r.height);
  cinfo.input_components = r.components;
  cinfo.in_color_space = r.inSpace;
  jpeg_set_defaults(&cinfo);
  jpeg_set_colorspace(&cinfo, r.fileSpace);
  jpeg_set_quality(&cinfo, 95, TRUE);
  if (r.progressive) jpeg_simple_progression(&cinfo);
  if (!r.scans.empty()) {
    cinfo.scan_info = r.scans.data();
    cinfo.num_scans = int(r.scans.size());
  }
  cinfo.write_Adobe_marker = r.adobeMarker && (r.fileSpace == JCS_CMYK || r.fileSpace == JCS_YCCK);
  jpeg_start_compress(&cinfo, TRUE);
  const std::size_t rowBytes = std::size_t(r.width) * std::size_t(r.components);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + cinfo.next_scanline * rowBytes);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> file(out, out + size);
  std::free(out);
  return file;
}
