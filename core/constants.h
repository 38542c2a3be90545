#pragma once

// The fixed capacities and timings of the VELTOR light controller and of the
// light sequences it runs. Constants of Pemblo!'s own parts live with them.

// Rows a light sequence can hold: the device stores 224 row slots.
inline constexpr int MAX_ROWS = 224;

// Switched LED outputs of the device; bit j of a pattern is channel j.
inline constexpr int CHANNEL_COUNT = 8;

// LED positions on the device picture: LEDs 0..7 are channels 0..7,
// LED 8 repeats channel 3 and LED 9 repeats channel 4.
inline constexpr int LED_COUNT = 10;
inline constexpr int LED_CHANNEL[LED_COUNT] = { 0, 1, 2, 3, 4, 5, 6, 7, 3, 4 };

// Brightness of an LED, 0 (dark) .. MAX_LED_LEVEL (full).
inline constexpr int MAX_LED_LEVEL = 127;

// An LED level shows in steps of 8: level / LED_LEVELS_PER_STEP is the
// brightness step, 0..BRIGHTNESS_STEPS - 1; below the first step it is dark.
inline constexpr int BRIGHTNESS_STEPS = 16;
inline constexpr int LED_LEVELS_PER_STEP = 8;

// Size of the line buffer the sequence file reader works with.
inline constexpr int LINE_BUFFER_SIZE = 80;

// Characters of a row line in a sequence file: "%02x%08x%04x%02x%04x".
inline constexpr int ROW_LINE_LENGTH = 20;

// One simulation tick, in milliseconds of the system clock.
inline constexpr int TICK_MS = 12;

// The device memory image of a sequence: two bytes per row slot, sent as
// blocks of 32 bytes.
inline constexpr int UPLOAD_IMAGE_SIZE = 2 * MAX_ROWS;
inline constexpr int UPLOAD_BLOCK_SIZE = 32;
inline constexpr int UPLOAD_BLOCK_COUNT = UPLOAD_IMAGE_SIZE / UPLOAD_BLOCK_SIZE;

// The upload signal: 8-bit unsigned mono PCM at UPLOAD_SAMPLE_RATE, one full
// sine period per bit; a 0 bit is the longer period.
inline constexpr int UPLOAD_SAMPLE_RATE = 48000;
inline constexpr int UPLOAD_ZERO_BIT_SAMPLES = 72;
inline constexpr int UPLOAD_ONE_BIT_SAMPLES = 36;

// The frame of one block on the line: lead-in zeros, a start bit 1, the
// header byte, the block number byte, the data bytes (each byte least
// significant bit first) and a trailer of ones, long after blocks 0 and 1.
inline constexpr int UPLOAD_LEAD_IN_BITS = 50;
inline constexpr int UPLOAD_HEADER_BYTE = 0x01;
inline constexpr int UPLOAD_LONG_TRAILER_BITS = 2500;
inline constexpr int UPLOAD_SHORT_TRAILER_BITS = 50;
// What the device keeps of a row: its memory slot has seven bits for a
// pattern's hold time and one byte for a jump target.
inline constexpr int DEVICE_TIME_MASK = 0x7F;
inline constexpr int DEVICE_JUMP_MASK = 0xFF;
// The parameter bits that count: the low 7 of a DIM, on the device and in the
// simulation; the low 12 of a FADE IN or FADE OUT in the simulation.
inline constexpr int DIM_PARAMETER_MASK = 0x7F;
inline constexpr int FADE_PARAMETER_MASK = 0xFFF;
// Row fetches allowed in one tick before the sequence counts as stuck.
inline constexpr int MAX_FETCHES_PER_TICK = 100;

// What the LED Editor's value entry accepts: hold times of 1..MAX_ROW_TIME
// ticks; FADE IN and FADE OUT durations up to MAX_FADE_PARAMETER ticks; row
// indices as jump targets; up to MAX_PLAIN_PARAMETER for any other command.
inline constexpr int MAX_ROW_TIME = 127;
inline constexpr int MAX_FADE_PARAMETER = 4095;
inline constexpr int MAX_PLAIN_PARAMETER = 127;
