#pragma once
// The members of a drop-down list that the core routines use (add, item data, selection, text),
// so that the same routines fill the window's lists and the batch program's in-memory ones.

#include <string>
#include <vector>

namespace ambrix {

class IListaCombo {
 public:
  virtual ~IListaCombo() = default;
  // Appends an item at the end of the list.
  virtual void AddItem(const std::string& sTexto, long lItemData = 0) = 0;
  virtual void Clear() = 0;
  virtual int ListCount() const = 0;
  // Text of an item; "" for an index outside the list.
  virtual std::string List(int iIndice) const = 0;
  // Data of an item; 0 for an index outside the list.
  virtual long ItemData(int iIndice) const = 0;
  virtual void setItemData(int iIndice, long lDato) = 0;
  // Selected item, -1 when none; selecting an index outside the list leaves none selected.
  virtual int ListIndex() const = 0;
  virtual void setListIndex(int iIndice) = 0;
};

// A list kept in memory: the batch program and the tests.
class ListaComboMemoria : public IListaCombo {
 public:
  void AddItem(const std::string& sTexto, long lItemData = 0) override;
  void Clear() override;
  int ListCount() const override;
  std::string List(int iIndice) const override;
  long ItemData(int iIndice) const override;
  void setItemData(int iIndice, long lDato) override;
  int ListIndex() const override { return listIndex_; }
  void setListIndex(int iIndice) override;

 private:
  bool valid(int iIndice) const { return iIndice >= 0 && iIndice < ListCount(); }

  struct Item {
    std::string texto;
    long dato = 0;
  };
  std::vector<Item> items_;
  int listIndex_ = -1;
};

}  // namespace ambrix
