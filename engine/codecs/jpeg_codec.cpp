#include "engine/codecs/jpeg_codec.h"

#include "engine/image/image_error.h"
#include "engine/parallel/bands.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>

#include <jerror.h>

// libjpeg reports errors by calling back, and we leave its calls with longjmp. A longjmp
// must not skip a destructor, so the functions that call setjmp (startReading, readRows,
// writeJpeg) hold only plain C data; everything with a destructor is made before them and
// passed in.

namespace vask {
namespace {

// A progressive file may hold any number of scans; past this it is hostile, not a picture.
constexpr int kMaxScans = 500;
// libjpeg's own working memory for one file: a progressive file keeps all its coefficients,
// 2 bytes a sample, so this admits any 4:2:0 picture up to about 25000 x 25000.
constexpr long kMaxDecoderMemory = 2000L << 20;
// Rows converted and handed to the encoder in one call.
constexpr int kBatchRows = 16;

struct JpegErrors {
    jpeg_error_mgr manager; // first, so libjpeg's pointer to it is a pointer to this
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool dataEnded; // libjpeg ran out of data and now invents an end
};

[[noreturn]] void jumpWith(j_common_ptr info, const char* text)
{
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    errors->manager.msg_code = 0;
    std::snprintf(errors->message, sizeof errors->message, "%s", text);
    std::longjmp(errors->jump, 1);
}

void jumpOnError(j_common_ptr info)
{
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (a missing end marker, stray bytes) leave a usable picture: they stay silent.
void noteMessage(j_common_ptr info, int level)
{
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<JpegErrors*>(info->err)->dataEnded = true;
}
void ignoreOutput(j_common_ptr) {}

void initErrors(JpegErrors& errors)
{
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jumpOnError;
    errors.manager.emit_message = noteMessage;
    errors.manager.output_message = ignoreOutput;
    errors.message[0] = '\0';
    errors.dataEnded = false;
}

void limitScans(j_common_ptr info)
{
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
        jumpWith(info, "it holds more scans than any picture needs");
}

std::string reasonOf(const JpegErrors& errors)
{
    // libjpeg's words for running past its memory limit mean nothing to a user.
    if (errors.manager.msg_code == JERR_NO_BACKING_STORE || errors.manager.msg_code == JERR_OUT_OF_MEMORY)
        return "the picture needs more memory than a JPEG decoder may take";
    std::string reason = errors.message;
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

// ---- Reading

enum class Output { Rgb, Grey, Cmyk };

struct Reader {
    jpeg_decompress_struct info{};
    JpegErrors errors;
    jpeg_progress_mgr progress{};
    Output output = Output::Rgb;
    bool tooLarge = false;

    Reader()
    {
        initErrors(errors);
        info.err = &errors.manager;
        progress.progress_monitor = limitScans;
    }
    ~Reader() { jpeg_destroy_decompress(&info); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
};

bool startReading(Reader& r, const std::uint8_t* data, std::size_t size)
{
    if (setjmp(r.errors.jump))
        return false;
    jpeg_create_decompress(&r.info);
    r.info.progress = &r.progress;
    r.info.mem->max_memory_to_use = kMaxDecoderMemory;
    jpeg_mem_src(&r.info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&r.info, TRUE);
    if (r.info.image_width > static_cast<JDIMENSION>(Image::kMaxSide) ||
        r.info.image_height > static_cast<JDIMENSION>(Image::kMaxSide)) {
        r.tooLarge = true;
        return false;
    }
    switch (r.info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        r.output = Output::Grey;
        r.info.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        r.output = Output::Cmyk;
        r.info.out_color_space = JCS_CMYK;
        break;
    default:
        // The A variant promises 0xFF in the fourth byte: the words are 0xFFRRGGBB as they land.
        r.output = Output::Rgb;
        r.info.out_color_space = JCS_EXT_BGRA;
        break;
    }
    // The accurate integer transform: as fast as the others with libjpeg-turbo's SIMD.
    r.info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&r.info);
    return true;
}

// Adobe writers store CMYK inverted (0 = full ink); others store it plainly. Either way
// each channel is (1 - ink) x (1 - black), rounded.
void cmykToRgb(const std::uint8_t* src, Rgb* dst, int width, bool inverted)
{
    const unsigned flip = inverted ? 0 : 255;
    for (int x = 0; x < width; ++x) {
        const unsigned c = src[4 * x] ^ flip, m = src[4 * x + 1] ^ flip;
        const unsigned y = src[4 * x + 2] ^ flip, k = src[4 * x + 3] ^ flip;
        dst[x] = packRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
    }
}

// rows: one pointer per picture row. cmykRow: room for one CMYK row when output is Cmyk.
// A single-scan file whose data ends stops there (r.info.output_scanline says where): what
// libjpeg would decode from nothing is grey, and the caller fills that in much faster.
bool readRows(Reader& r, std::uint8_t* const* rows, std::uint8_t* cmykRow)
{
    if (setjmp(r.errors.jump))
        return false;
    const JDIMENSION height = r.info.output_height;
    const int width = static_cast<int>(r.info.output_width);
    while (r.info.output_scanline < height) {
        const JDIMENSION y = r.info.output_scanline;
        if (r.output == Output::Cmyk) {
            JSAMPROW row = cmykRow;
            jpeg_read_scanlines(&r.info, &row, 1);
            cmykToRgb(cmykRow, reinterpret_cast<Rgb*>(rows[y]), width, r.info.saw_Adobe_marker);
        } else {
            jpeg_read_scanlines(&r.info, const_cast<JSAMPARRAY>(rows + y), height - y);
        }
        if (r.errors.dataEnded && !jpeg_has_multiple_scans(&r.info))
            break;
    }
    return true;
}

// ---- Writing

// The output grows inside the vector; the encoder only ever sees its free tail.
struct Sink {
    jpeg_destination_mgr manager; // first, so libjpeg's pointer to it is a pointer to this
    Bytes* out;
};

void startSink(j_compress_ptr info)
{
    auto* sink = reinterpret_cast<Sink*>(info->dest);
    sink->manager.next_output_byte = sink->out->data();
    sink->manager.free_in_buffer = sink->out->size();
}

boolean growSink(j_compress_ptr info)
{
    auto* sink = reinterpret_cast<Sink*>(info->dest);
    const std::size_t used = sink->out->size();
    bool grown = true;
    try {
        sink->out->resize(used * 2);
    } catch (const std::exception&) {
        grown = false;
    }
    if (!grown)
        jumpWith(reinterpret_cast<j_common_ptr>(info), "there is not enough memory for it");
    sink->manager.next_output_byte = sink->out->data() + used;
    sink->manager.free_in_buffer = sink->out->size() - used;
    return TRUE;
}

void finishSink(j_compress_ptr info)
{
    auto* sink = reinterpret_cast<Sink*>(info->dest);
    sink->out->resize(sink->out->size() - sink->manager.free_in_buffer);
}

struct Writer {
    jpeg_compress_struct info{};
    JpegErrors errors;
    Sink sink{};

    explicit Writer(Bytes& out)
    {
        initErrors(errors);
        info.err = &errors.manager;
        sink.manager.init_destination = startSink;
        sink.manager.empty_output_buffer = growSink;
        sink.manager.term_destination = finishSink;
        sink.out = &out;
    }
    ~Writer() { jpeg_destroy_compress(&info); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;
};

struct WriteJob {
    const Image* image;
    int quality;
    bool grey;
    bool progressive;
    std::uint8_t* scratch;      // kBatchRows rows of width x 4 bytes
    const Rgb* palette;         // colour of each index (palette pictures)
    const std::uint8_t* greyOf; // luminance of each index (palette pictures)
};

// Fills rows[0..count) for picture rows first.. with what the encoder takes: the picture's
// own 0xFFRRGGBB words (B, G, R, X in memory) where it can, converted rows otherwise.
void prepareRows(const WriteJob& job, int first, int count, JSAMPROW* rows)
{
    const Image& image = *job.image;
    const int width = image.width();
    for (int i = 0; i < count; ++i) {
        const int y = first + i;
        std::uint8_t* out = job.scratch + std::size_t(i) * width * 4;
        if (image.depth() == 24 && !job.grey) {
            rows[i] = const_cast<JSAMPROW>(image.row(y));
            continue;
        }
        rows[i] = out;
        if (image.depth() == 24) {
            const Rgb* src = image.rgbRow(y);
            for (int x = 0; x < width; ++x)
                out[x] = static_cast<std::uint8_t>(lumaOf(src[x]));
        } else if (job.grey) {
            const std::uint8_t* src = image.row(y);
            for (int x = 0; x < width; ++x)
                out[x] = job.greyOf[src[x]];
        } else {
            const std::uint8_t* src = image.row(y);
            Rgb* words = reinterpret_cast<Rgb*>(out);
            for (int x = 0; x < width; ++x)
                words[x] = job.palette[src[x]];
        }
    }
}

bool writeJpeg(Writer& w, const WriteJob& job)
{
    if (setjmp(w.errors.jump))
        return false;
    jpeg_create_compress(&w.info);
    w.info.dest = &w.sink.manager;
    w.info.image_width = static_cast<JDIMENSION>(job.image->width());
    w.info.image_height = static_cast<JDIMENSION>(job.image->height());
    w.info.input_components = job.grey ? 1 : 4;
    w.info.in_color_space = job.grey ? JCS_GRAYSCALE : JCS_EXT_BGRX;
    jpeg_set_defaults(&w.info);
    jpeg_set_quality(&w.info, job.quality, TRUE);
    w.info.dct_method = JDCT_ISLOW;
    // From quality 90 on, colour keeps full resolution: halved chroma would be the largest error.
    if (!job.grey && job.quality >= 90) {
        w.info.comp_info[0].h_samp_factor = 1;
        w.info.comp_info[0].v_samp_factor = 1;
    }
    if (job.progressive)
        jpeg_simple_progression(&w.info);
    jpeg_start_compress(&w.info, TRUE);
    JSAMPROW rows[kBatchRows];
    const int height = job.image->height();
    while (w.info.next_scanline < w.info.image_height) {
        const int first = static_cast<int>(w.info.next_scanline);
        const int count = std::min(kBatchRows, height - first);
        prepareRows(job, first, count, rows);
        jpeg_write_scanlines(&w.info, rows, static_cast<JDIMENSION>(count));
    }
    jpeg_finish_compress(&w.info);
    return true;
}

// Where the marker segment that libjpeg stopped in begins, when at least one whole scan lies
// before it: a file cut inside the tables between progressive scans still has a picture.
// 0 when there is no such place. (FF followed by a marker byte never occurs inside
// entropy-coded data, which stuffs a zero after every FF.)
std::size_t lastSegmentBefore(ByteSpan bytes, std::size_t stoppedAt)
{
    const std::size_t end = std::min(stoppedAt, bytes.size());
    for (std::size_t at = end; at-- > 1;) {
        const std::uint8_t marker = bytes[at];
        const bool between = marker == 0xC4 || marker == 0xDA || marker == 0xDB || marker == 0xDD;
        if (bytes[at - 1] != 0xFF || !between)
            continue;
        for (std::size_t scan = 1; scan + 1 < at; ++scan)
            if (bytes[scan - 1] == 0xFF && bytes[scan] == 0xDA)
                return at - 1;
        return 0;
    }
    return 0;
}

// One decoding attempt; on failure, stoppedAt says how far into bytes libjpeg had read.
Image decodeOnce(ByteSpan bytes, std::size_t& stoppedAt)
{
    Reader reader;
    const auto noteStop = [&] {
        const JOCTET* next = reader.info.src ? reader.info.src->next_input_byte : nullptr;
        // Past the end libjpeg reads a made-up end marker of its own, outside the file.
        const bool inside = next && next >= bytes.data() && next <= bytes.data() + bytes.size();
        stoppedAt = inside ? static_cast<std::size_t>(next - bytes.data()) : bytes.size();
    };
    if (!startReading(reader, bytes.data(), bytes.size())) {
        noteStop();
        if (reader.tooLarge)
            throw ImageError("The JPEG picture is " + std::to_string(reader.info.image_width) + " x " +
                             std::to_string(reader.info.image_height) + " pixels; each side must be 1 to " +
                             std::to_string(Image::kMaxSide) + " pixels.");
        throw ImageError("The JPEG file cannot be read: " + reasonOf(reader.errors) + ".");
    }
    const int width = static_cast<int>(reader.info.output_width);
    const int height = static_cast<int>(reader.info.output_height);
    Image image(width, height, reader.output == Output::Grey ? 8 : 24);
    std::vector<std::uint8_t*> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[y] = image.row(y);
    std::vector<std::uint8_t> cmykRow(reader.output == Output::Cmyk ? std::size_t(width) * 4 : 0);
    if (!readRows(reader, rows.data(), cmykRow.data())) {
        noteStop();
        throw ImageError("The JPEG file cannot be read: " + reasonOf(reader.errors) + ".");
    }
    const int decoded = static_cast<int>(reader.info.output_scanline);
    if (decoded < height) {
        const Rgb grey = image.depth() == 24 ? packRgb(128, 128, 128) : 128;
        forEachBand(height - decoded, [&](int first, int end) {
            for (int y = decoded + first; y < decoded + end; ++y) {
                if (image.depth() == 24)
                    std::fill_n(image.rgbRow(y), width, grey);
                else
                    std::memset(image.row(y), static_cast<int>(grey), static_cast<std::size_t>(width));
            }
        });
    }
    return image;
}

} // namespace

Image decodeJpeg(ByteSpan bytes)
{
    std::size_t stoppedAt = 0;
    try {
        return decodeOnce(bytes, stoppedAt);
    } catch (const ImageError& first) {
        const std::size_t cut = lastSegmentBefore(bytes, stoppedAt);
        if (cut == 0)
            throw;
        try {
            return decodeOnce(bytes.first(cut), stoppedAt);
        } catch (const ImageError&) {
            throw first;
        }
    }
}

Bytes encodeJpeg(const Image& image, int quality, int writeOption)
{
    if (image.isNull())
        throw ImageError("There is no picture to save.");
    if (writeOption < 0 || writeOption > 3)
        throw ImageError("JPEG write option " + std::to_string(writeOption) +
                         " is not offered: use 0 (baseline), 1 (progressive), 2 (greyscale) or 3 "
                         "(greyscale progressive).");
    std::array<Rgb, 256> palette{};
    std::array<std::uint8_t, 256> greyOf{};
    for (std::size_t i = 0; i < image.palette().size(); ++i) {
        palette[i] = image.palette()[i];
        greyOf[i] = static_cast<std::uint8_t>(lumaOf(palette[i]));
    }
    std::vector<std::uint8_t> scratch(std::size_t(kBatchRows) * image.width() * 4);
    const WriteJob job{&image,           std::clamp(quality, 5, 100),
                       writeOption >= 2, writeOption % 2 == 1,
                       scratch.data(),   palette.data(),
                       greyOf.data()};

    Bytes out;
    // A first guess of 2 bits per pixel; the buffer doubles when a picture needs more.
    out.resize(std::size_t(image.width()) * image.height() / 4 + 16384);
    Writer writer(out);
    if (!writeJpeg(writer, job))
        throw ImageError("The JPEG file cannot be written: " + reasonOf(writer.errors) + ".");
    return out;
}

} // namespace vask
