// SPDX-License-Identifier: GPL-3.0-or-later
// The page's choices kept between visits (language, port and its settings, verify), in
// localStorage under the program's prefix.
export const store = {
  get(key: string, fallback: string): string {
    try {
      return localStorage.getItem(`kr4100.${key}`) ?? fallback;
    } catch {
      return fallback;
    }
  },
  set(key: string, value: string): void {
    try {
      localStorage.setItem(`kr4100.${key}`, value);
    } catch {
      // private windows may refuse storage; the choice then lasts for this visit
    }
  },
};
