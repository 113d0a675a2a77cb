// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid of one group as an ARIA grid: one focusable cell at a time (roving tabindex),
// arrow keys to move, Enter, F2 or typing to edit in place, Escape to cancel, Space to flip a
// switch, Shift+Space to choose rows for the bulk commands. Every value shown and every edit goes
// through the core; a refusal leaves the cell as it was and its message is shown.
import type { GridColumn, Outcome, WebDocument } from './core_api';
import { el } from './dom';
import { t } from './texts';

export interface GridEvents {
  changed(): void; // the document changed: captions, undo state
  refused(message: string): void;
}

interface Editing {
  row: number;
  col: number;
  editor: HTMLInputElement | HTMLSelectElement;
}

export class ChannelGrid {
  group = 0;
  private row = 0;
  private col = 0;
  private selected = new Set<number>();
  private anchor = 0;
  private editing: Editing | null = null;
  private columns: GridColumn[] = [];
  readonly table: HTMLTableElement;

  constructor(private doc: WebDocument, private readonly events: GridEvents) {
    this.table = el('table', { role: 'grid', 'aria-multiselectable': 'true', class: 'grid' });
    this.table.addEventListener('keydown', (e) => this.onKey(e));
    this.table.addEventListener('click', (e) => this.onClick(e));
    this.table.addEventListener('dblclick', (e) => {
      if (this.cellOf(e.target) && !this.editing) this.edit();
    });
    // Focus that arrives by mouse or script makes that cell the current one.
    this.table.addEventListener('focusin', (e) => {
      const at = this.cellOf(e.target);
      if (!at || this.editing || (at.row === this.row && at.col === this.col)) return;
      this.cell(this.row, this.col)?.setAttribute('tabindex', '-1');
      this.row = at.row;
      this.col = at.col;
      this.cell(at.row, at.col)?.setAttribute('tabindex', '0');
    });
    this.table.addEventListener('focusout', (e) => {
      const editing = this.editing;
      if (editing && e.target === editing.editor && !this.table.contains(e.relatedTarget as Node)) {
        this.commit(false);
      }
    });
  }

  setDocument(doc: WebDocument): void {
    this.doc = doc;
    this.editing = null;
    this.selected.clear();
    this.group = 0;
    this.row = 0;
    this.col = 0;
    this.render(false);
  }

  setGroup(group: number): void {
    this.commit(false);
    this.group = group;
    this.selected.clear();
    this.row = Math.min(this.row, this.doc.rowCount(group) - 1);
    this.render(false);
  }

  // Rows the bulk commands work on: the chosen ones, else the current one.
  chosenRows(): number[] {
    const rows = [...this.selected].sort((a, b) => a - b);
    return rows.length > 0 ? rows : [this.row];
  }

  switchColumns(): GridColumn[] {
    return this.doc.columns().filter((c) => c.kind === 'switch');
  }

  focus(): void {
    this.cell(this.row, this.col)?.focus();
  }

  render(keepFocus = this.table.contains(document.activeElement)): void {
    this.columns = this.doc.columns();
    const rows = this.doc.rowCount(this.group);
    this.row = Math.max(0, Math.min(this.row, rows - 1));
    this.col = Math.max(0, Math.min(this.col, this.columns.length - 1));
    this.table.setAttribute('aria-label', this.doc.groupCaption(this.group));
    this.table.setAttribute('aria-rowcount', String(rows + 1));
    this.table.setAttribute('aria-colcount', String(this.columns.length));

    const headRow = el('tr', { role: 'row', 'aria-rowindex': 1 });
    this.columns.forEach((c, i) => {
      headRow.append(el('th', {
        role: 'columnheader', scope: 'col', 'aria-colindex': i + 1, text: c.heading,
        style: `min-width:${Math.max(3, c.width)}ch`,
      }));
    });
    const body = el('tbody');
    for (let r = 0; r < rows; r++) {
      const tr = el('tr', {
        role: 'row', 'aria-rowindex': r + 2, 'aria-selected': this.selected.has(r) ? 'true' : 'false',
      });
      this.columns.forEach((c, i) => {
        // The channel number names its row; the core does not take typing there.
        const header = c.kind === 'number';
        const td = el('td', {
          role: header ? 'rowheader' : 'gridcell', 'aria-readonly': header ? 'true' : undefined,
          'aria-colindex': i + 1, tabindex: r === this.row && i === this.col ? 0 : -1,
          'data-row': r, 'data-col': i, class: `k-${c.kind}`,
          text: this.doc.cell(this.group, r, c.key),
        });
        tr.append(td);
      });
      body.append(tr);
    }
    this.table.replaceChildren(el('thead', {}, headRow), body);
    if (keepFocus) this.focus();
  }

  private cell(row: number, col: number): HTMLTableCellElement | null {
    return this.table.querySelector(`td[data-row="${row}"][data-col="${col}"]`);
  }

  private cellOf(target: EventTarget | null): { row: number; col: number } | null {
    const td = (target as HTMLElement | null)?.closest?.('td[data-row]') as HTMLElement | null;
    if (!td || !this.table.contains(td)) return null;
    return { row: Number(td.dataset.row), col: Number(td.dataset.col) };
  }

  private moveTo(row: number, col: number): void {
    const rows = this.doc.rowCount(this.group);
    row = Math.max(0, Math.min(row, rows - 1));
    col = Math.max(0, Math.min(col, this.columns.length - 1));
    this.cell(this.row, this.col)?.setAttribute('tabindex', '-1');
    this.row = row;
    this.col = col;
    const target = this.cell(row, col);
    target?.setAttribute('tabindex', '0');
    target?.focus();
  }

  private toggleRow(row: number): void {
    if (this.selected.has(row)) this.selected.delete(row);
    else this.selected.add(row);
    this.anchor = row;
    this.table.querySelector(`tr[aria-rowindex="${row + 2}"]`)
      ?.setAttribute('aria-selected', this.selected.has(row) ? 'true' : 'false');
  }

  private selectRange(from: number, to: number): void {
    this.selected.clear();
    for (let r = Math.min(from, to); r <= Math.max(from, to); r++) this.selected.add(r);
    this.render(true);
  }

  private onClick(e: MouseEvent): void {
    const at = this.cellOf(e.target);
    if (!at || (this.editing && e.target === this.editing.editor)) return;
    this.commit(false);
    if (e.shiftKey) this.selectRange(this.anchor, at.row);
    else if (e.ctrlKey || e.metaKey) this.toggleRow(at.row);
    this.moveTo(at.row, at.col);
  }

  private onKey(e: KeyboardEvent): void {
    if (this.editing) {
      this.onEditorKey(e);
      return;
    }
    if (!this.cellOf(e.target)) return;
    const rows = this.doc.rowCount(this.group);
    const last = this.columns.length - 1;
    const ctrl = e.ctrlKey || e.metaKey;
    let handled = true;
    switch (e.key) {
      case 'ArrowUp':
        if (e.shiftKey) this.selectRange(this.anchor, this.row - 1);
        this.moveTo(this.row - 1, this.col);
        break;
      case 'ArrowDown':
        if (e.shiftKey) this.selectRange(this.anchor, this.row + 1);
        this.moveTo(this.row + 1, this.col);
        break;
      case 'ArrowLeft': this.moveTo(this.row, this.col - 1); break;
      case 'ArrowRight': this.moveTo(this.row, this.col + 1); break;
      case 'Home': this.moveTo(ctrl ? 0 : this.row, 0); break;
      case 'End': this.moveTo(ctrl ? rows - 1 : this.row, last); break;
      case 'PageUp': this.moveTo(this.row - 10, this.col); break;
      case 'PageDown': this.moveTo(this.row + 10, this.col); break;
      case 'Enter':
      case 'F2':
        this.edit();
        break;
      case ' ':
        if (e.shiftKey) this.toggleRow(this.row);
        else if (this.columns[this.col].kind === 'switch') this.flipSwitch();
        else this.edit();
        break;
      case 'Delete':
      case 'Backspace':
        if (this.columns[this.col].kind === 'text' || this.columns[this.col].kind === 'frequency') {
          this.store(this.row, this.col, '');
        } else handled = false;
        break;
      case 'a':
      case 'A':
        if (ctrl) this.selectRange(0, rows - 1);
        else handled = this.typeInto(e);
        break;
      default:
        handled = this.typeInto(e);
    }
    if (handled) {
      e.preventDefault();
      e.stopPropagation();
    }
  }

  // A printable key on a cell starts editing it with that character, as in a spreadsheet.
  private typeInto(e: KeyboardEvent): boolean {
    if (e.key.length !== 1 || e.ctrlKey || e.metaKey || e.altKey) return false;
    const kind = this.columns[this.col].kind;
    if (kind === 'number') return true;
    if (kind === 'choice' || kind === 'switch') {
      this.edit();
      return true;
    }
    this.edit(e.key);
    return true;
  }

  private flipSwitch(): void {
    const column = this.columns[this.col];
    const now = this.doc.cell(this.group, this.row, column.key);
    const next = now === column.choices[1] ? column.choices[0] : column.choices[1];
    this.store(this.row, this.col, next);
  }

  private edit(typed?: string): void {
    const column = this.columns[this.col];
    const td = this.cell(this.row, this.col);
    if (!td || !column || column.kind === 'number') return;
    const value = this.doc.cell(this.group, this.row, column.key);
    const label = `${column.heading} ${this.row + 1}`;
    let editor: HTMLInputElement | HTMLSelectElement;
    if (column.kind === 'choice' || column.kind === 'switch') {
      editor = el('select', { 'aria-label': label, class: 'cell-editor' });
      for (const choice of column.choices) editor.append(el('option', { value: choice, text: choice }));
      editor.value = value;
    } else {
      editor = el('input', {
        'aria-label': label, class: 'cell-editor', autocomplete: 'off', spellcheck: 'false',
        inputmode: column.kind === 'text' ? undefined : 'decimal',
      });
      editor.value = typed ?? value;
    }
    this.editing = { row: this.row, col: this.col, editor };
    td.replaceChildren(editor);
    editor.focus();
    if (editor instanceof HTMLInputElement && typed === undefined) editor.select();
  }

  private onEditorKey(e: KeyboardEvent): void {
    if (e.key === 'Enter') {
      e.preventDefault();
      this.commit(true);
      // As the desktop grid does: Enter goes on to the next cell.
      this.moveTo(this.row, this.col + 1);
    } else if (e.key === 'Escape') {
      e.preventDefault();
      e.stopPropagation();
      this.cancel();
    } else if (e.key === 'Tab') {
      e.preventDefault();
      this.commit(true);
      this.moveTo(this.row, this.col + (e.shiftKey ? -1 : 1));
    }
    e.stopPropagation();
  }

  cancel(): void {
    const editing = this.editing;
    if (!editing) return;
    this.editing = null;
    this.render(false);
    this.moveTo(editing.row, editing.col);
  }

  // Commits the open editor, if any; the document decides what the text becomes.
  commit(keepFocus: boolean): void {
    const editing = this.editing;
    if (!editing) return;
    this.editing = null;
    const text = editing.editor.value;
    const before = this.doc.cell(this.group, editing.row, this.columns[editing.col].key);
    if (text === before) {
      this.render(keepFocus);
      return;
    }
    this.store(editing.row, editing.col, text, keepFocus);
  }

  private store(row: number, col: number, text: string, keepFocus = true): void {
    const outcome: Outcome = this.doc.setCell(this.group, row, this.columns[col].key, text);
    this.render(keepFocus);
    if (keepFocus) this.moveTo(row, col);
    if (!outcome.ok) this.events.refused(outcome.message || t('ProductTitle'));
    this.events.changed();
  }
}
